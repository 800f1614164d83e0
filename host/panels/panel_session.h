// What a person can do with an open modal panel: read what it shows and work its controls, keys
// and mouse. Each change reaches the module as the host delivers it: the control's value is
// updated, then its event function is called. An action the person could not take (no such
// control, a greyed-out control, a closed panel) throws std::runtime_error naming the panel.
#pragma once

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/panels/host_panel.h"

class PanelServices;

class PanelSession {
  public:
    PanelSession(PanelServices &services, HostPanel &panel);

    const HostPanel &panel() const { return worked; }
    bool isOpen() const { return worked.open; }

    // The first control with this label.
    const HostControl &control(const std::string &label) const;
    // The items of a popup, as its item functions give them.
    std::vector<std::string> popupItems(const std::string &label) const {
        return popupItems(control(label));
    }
    std::vector<std::string> popupItems(const HostControl &popup) const;
    // A control's value as shown: a popup's item, "on"/"off", an angle in degrees.
    std::string shown(const std::string &label) const { return shown(control(label)); }
    std::string shown(const HostControl &control) const;
    double angleDegrees(const std::string &label) const;
    bool usable(const std::string &label) const { return control(label).usable(); }

    // The first item of that name, as a person finds it by reading down the list.
    void pick(const std::string &label, const std::string &item);
    void pickIndex(const std::string &label, int index);
    // Clicks the box if it is not already in the wanted state.
    void setBox(const std::string &label, bool on);
    void typeAngle(const std::string &label, double degrees);

    void pressKey(int key);
    void releaseKey(int key);
    void pressMouse(int x, int y, int qualifiers = MOUSE_LEFT);
    void releaseMouse(int x, int y, int qualifiers = MOUSE_LEFT);
    void moveMouse(int x, int y, int qualifiers = 0);
    void click(int x, int y, int qualifiers = MOUSE_LEFT);
    void close();

  private:
    HostControl &workable(const std::string &label, ControlValueKind kind);
    void changed(HostControl &control);
    void requireOpen() const;
    [[noreturn]] void fail(const std::string &problem) const;
    int popupCount(const HostControl &popup) const;
    // Where the first item of a name was when the popup was last read; checked before use.
    int remembered(const std::string &label, const HostControl &popup, const std::string &item);

    // A script that picks each of a long popup's items once would otherwise read the whole list
    // for each pick. An index stays trusted only while the popup still has as many items and
    // still names the item there.
    struct PopupIndex {
        int count = -1;
        std::unordered_map<std::string, int> first;
    };

    PanelServices &services;
    HostPanel &worked;
    std::map<std::string, PopupIndex> popupIndexes;
};
