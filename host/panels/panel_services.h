// "LWPanelServices" of the stand-in host: panels and controls with their real state, a call log,
// and a user who works every modal panel. The record's functions get no context but the panel or
// control, so one service at a time is the current one: constructing a second while one is alive
// throws.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/non_copyable.h"
#include "host/panels/host_panel.h"
#include "host/panels/panel_user.h"
#include "host/services/service_table.h"
#include "hostapi/lwpanel.h"

class PanelServices : NonCopyable {
  public:
    PanelServices();
    ~PanelServices();

    void registerIn(ServiceTable &table);
    LWPanelFuncs *record() { return &functions; }

    // A host that cannot make panels answers create with null.
    void refuseCreate(bool refuse) { createRefused = refuse; }
    // A host without this control type answers addControl with null.
    void refuseControlType(std::string type) { refusedTypes.push_back(std::move(type)); }
    // Who works modal panels; null, or never set: someone who closes each panel at once.
    void setUser(PanelUser *user) { panelUser = user; }

    // Every call of the record's panel functions, e.g. `create "Title"`, `set PAN_W 300`,
    // `open 0x9d`, `close`, `destroy`.
    const std::vector<std::string> &calls() const { return callLog; }
    // Breaches of the host's protocol by the module, and actions the user could not take.
    const std::vector<std::string> &problems() const { return problemLog; }
    void forgetCalls() { callLog.clear(); }
    void forgetProblems() { problemLog.clear(); }

    // Live panels in order of creation.
    const std::vector<std::unique_ptr<HostPanel>> &panels() const { return live; }
    // How many times a panel was opened, destroyed panels included.
    int opened() const { return openCount; }

    // Host-side notifications; the session uses them for what the user does.
    void notify(HostPanel &panel, pTag tag);
    void notifyDraw(HostPanel &panel, DrMode mode);
    void notifyMouse(HostPanel &panel, pTag tag, int qualifiers, int x, int y);
    void notifyKey(HostPanel &panel, pTag tag, int key);
    void closePanel(HostPanel &panel);
    void report(std::string problem) { problemLog.push_back(std::move(problem)); }

  private:
    static LWPanelID Create(char *title, void *panelFuncs);
    static void Destroy(LWPanelID panel);
    static int Open(LWPanelID panel, int flags);
    static int Handle(LWPanelID panel, int flags);
    static void Draw(LWPanelID panel, DrMode mode);
    static void Close(LWPanelID panel);
    static void Get(LWPanelID panel, pTag tag, void *value);
    static void Set(LWPanelID panel, pTag tag, void *value);
    static LWControl *AddControl(LWPanelID panel, char *type, LWPanControlDesc *desc, char *label);
    static LWControl *NextControl(LWPanelID panel, LWControlID control);
    static void ControlDraw(LWControlID control, DrMode mode);
    static void ControlGet(LWControlID control, cTag tag, LWValue *value);
    static void ControlSet(LWControlID control, cTag tag, LWValue *value);

    HostPanel *findPanel(LWPanelID id, const char *operation);
    HostControl *findControl(LWControlID id, const char *operation);
    void log(std::string call) { callLog.push_back(std::move(call)); }
    void runUser(HostPanel &panel);

    LWPanelFuncs functions;
    PanelUser *panelUser = nullptr;
    std::vector<std::unique_ptr<HostPanel>> live;
    std::vector<std::string> callLog;
    std::vector<std::string> problemLog;
    int openCount = 0;
    bool createRefused = false;
    std::vector<std::string> refusedTypes;
};
