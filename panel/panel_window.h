// One host panel behind a small class: the panel is made on the first Open, its notifications and
// the events of hooked controls reach virtual operations, and it is closed and destroyed with the
// object. Adds double-click detection and the held state of the Alt, Shift and Ctrl keys.
#pragma once

#include <cstdint>
#include <string>

#include "hostapi/lwpanel.h"
#include "platform/tick_counter.h"

// The clock of double-click detection. Tests replace it to control the time between presses.
inline std::uint32_t (*panelTickSource)() = TickCount;

class PanelWindow {
  public:
    // Fetches the panel services through the global function of the last handler activation.
    PanelWindow(const char *title, void *context);
    virtual ~PanelWindow();
    PanelWindow(const PanelWindow &) = delete;
    PanelWindow &operator=(const PanelWindow &) = delete;

    // Shows the panel; with PANF_BLOCKING it returns when the user has closed it.
    void Open(int flags);
    // Routes the control's change events to OnControlEvent.
    void HookControl(LWControl *control);

  protected:
    virtual void OnOpen() {}
    virtual void OnClose() {}
    virtual void OnActivate() {}
    virtual void OnDraw(DrMode) {}
    virtual void OnMouseDown(int, int, int, bool) {}
    virtual void OnMouseUp(int, int, int) {}
    virtual void OnMouseMove(int, int, int) {}
    virtual void OnKeyDown(int) {}
    virtual void OnKeyUp(int) {}
    virtual void OnControlEvent(LWControl *) {}
    virtual void CreateControls() {}

    std::string title;
    void *context;
    LWPanelFuncs *services;
    LWPanelID panel = nullptr;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t held1061 = 0;
    std::int32_t held1060 = 0;
    std::int32_t held1062 = 0;
    std::int32_t lastPressX = 0;
    std::int32_t lastPressY = 0;
    std::uint32_t lastPressTime = 0;

  private:
    struct Notifications;
    void createPanel();
    void setSize(LWPanelID target);
    void setHeldKey(int key, std::int32_t held);
    void mouseButton(int qualifiers, int x, int y);
};
