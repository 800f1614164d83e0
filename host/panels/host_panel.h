// The stand-in host's state of one panel and its controls: what the module set, what the user sees.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "hostapi/lwpanel.h"

class PanelServices;
struct HostPanel;

// What a control's value is: the popup and check box hold an integer, an angle control a float
// in radians, an area control nothing.
enum class ControlValueKind { none, integer, angle };

struct HostControl {
    LWControl record;  // the module's handle; priv_data leads back to this control
    HostPanel *panel = nullptr;
    std::string type;
    std::string label;
    LWPanControlDesc descriptor = {};
    ControlValueKind kind = ControlValueKind::none;
    int x = 0;
    int y = 0;
    int intValue = 0;
    double floatValue = 0.0;
    DrMode drawMode = DR_RENDER;
    void *userData = nullptr;
    LWCtlEventHook *event = nullptr;

    // A person can work a control only while it is drawn usable.
    bool usable() const { return drawMode == DR_RENDER || drawMode == DR_REFRESH; }
};

struct HostPanel {
    PanelServices *services = nullptr;
    std::string title;
    int geometry[4] = {};  // x, y, width and height, in the order the PAN_ tags number them
    int openFlags = 0;
    bool open = false;
    void *userData = nullptr;
    std::map<pTag, void *> notifications;  // registered functions by tag
    std::vector<std::unique_ptr<HostControl>> controls;
};
