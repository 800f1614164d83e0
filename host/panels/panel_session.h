// What a person can do with an open modal panel: read what it shows and work its controls, keys
// and mouse. Each change reaches the module as the host delivers it: the control's value is
// updated, then its event function is called. An action the person could not take (no such
// control, a greyed-out control, a closed panel) throws std::runtime_error naming the panel.
#pragma once

#include <string>
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
    std::vector<std::string> popupItems(const std::string &label) const;
    // A control's value as shown: a popup's item, "on"/"off", an angle in degrees.
    std::string shown(const std::string &label) const;
    double angleDegrees(const std::string &label) const;
    bool usable(const std::string &label) const { return control(label).usable(); }

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

    PanelServices &services;
    HostPanel &worked;
};
