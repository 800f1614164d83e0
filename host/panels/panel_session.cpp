#include "host/panels/panel_session.h"

#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <stdexcept>

#include "host/panels/panel_services.h"

namespace {

// Angle controls hold radians; people read and type degrees.
double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// The degrees a person reads: the shortest decimal that, typed back, gives the control the same
// radians, so that 15 typed reads 15 and not 14.999999999999998, and what is read can be typed
// back unchanged; the closest degrees where no decimal types back exactly.
double Degrees(const HostControl &angle) {
    const double radians = angle.floatValue;
    const double closest = radians * 180.0 / std::numbers::pi;
    for (int digits = 1; digits <= 17; ++digits) {
        char text[40];
        std::snprintf(text, sizeof text, "%.*g", digits, closest);
        double shortest = std::strtod(text, nullptr);
        // Stored, so that x87's wider registers round it as the control's double is rounded.
        volatile double typed = Radians(shortest);
        if (typed == radians) return shortest;
    }
    return closest;
}

}  // namespace

PanelSession::PanelSession(PanelServices &host, HostPanel &panel) : services(host), worked(panel) {}

void PanelSession::fail(const std::string &problem) const {
    throw std::runtime_error("panel \"" + worked.title + "\": " + problem);
}

void PanelSession::requireOpen() const {
    if (!worked.open) fail("the panel is closed");
}

const HostControl &PanelSession::control(const std::string &label) const {
    for (const auto &control : worked.controls)
        if (control->label == label) return *control;
    fail("no control labelled \"" + label + "\"");
}

std::vector<std::string> PanelSession::popupItems(const HostControl &popup) const {
    if (popup.descriptor.type != LWT_POPUP) fail("\"" + popup.label + "\" is not a popup");
    std::vector<std::string> items;
    int count = popup.descriptor.popup.countFn(popup.userData);
    for (int index = 0; index < count; ++index) {
        const char *name = popup.descriptor.popup.nameFn(popup.userData, index);
        items.push_back(name ? name : "");
    }
    return items;
}

double PanelSession::angleDegrees(const std::string &label) const {
    const HostControl &angle = control(label);
    if (angle.kind != ControlValueKind::angle) fail("\"" + label + "\" is not an angle control");
    return Degrees(angle);
}

std::string PanelSession::shown(const HostControl &shownControl) const {
    if (shownControl.descriptor.type == LWT_POPUP) {
        std::vector<std::string> items = popupItems(shownControl);
        int index = shownControl.intValue;
        return index >= 0 && index < static_cast<int>(items.size()) ? items[index] : "";
    }
    if (shownControl.kind == ControlValueKind::angle) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", Degrees(shownControl));
        return text;
    }
    if (shownControl.kind == ControlValueKind::integer) return shownControl.intValue ? "on" : "off";
    return "";
}

HostControl &PanelSession::workable(const std::string &label, ControlValueKind kind) {
    requireOpen();
    auto &found = const_cast<HostControl &>(control(label));
    if (found.kind != kind) fail("\"" + label + "\" cannot take that value");
    if (!found.usable()) fail("\"" + label + "\" is greyed out");
    return found;
}

void PanelSession::changed(HostControl &control) {
    if (control.event) control.event(&control.record, control.userData);
}

int PanelSession::popupCount(const HostControl &popup) const {
    if (popup.descriptor.type != LWT_POPUP) fail("\"" + popup.label + "\" is not a popup");
    return popup.descriptor.popup.countFn(popup.userData);
}

int PanelSession::remembered(const std::string &label, const HostControl &popup,
                             const std::string &item) {
    PopupIndex &index = popupIndexes[label];
    int count = popupCount(popup);
    if (index.count == count) {
        auto found = index.first.find(item);
        if (found != index.first.end()) {
            const char *name = popup.descriptor.popup.nameFn(popup.userData, found->second);
            if (name && item == name) return found->second;
        }
    }
    std::vector<std::string> items = popupItems(label);
    index.count = static_cast<int>(items.size());
    index.first.clear();
    for (std::size_t at = 0; at < items.size(); ++at)
        index.first.try_emplace(std::move(items[at]), static_cast<int>(at));
    auto found = index.first.find(item);
    return found == index.first.end() ? -1 : found->second;
}

void PanelSession::pick(const std::string &label, const std::string &item) {
    int index = remembered(label, control(label), item);
    if (index < 0) fail("popup \"" + label + "\" has no item \"" + item + "\"");
    pickIndex(label, index);
}

void PanelSession::pickIndex(const std::string &label, int index) {
    HostControl &popup = workable(label, ControlValueKind::integer);
    int count = popupCount(popup);
    if (index < 0 || index >= count)
        fail("popup \"" + label + "\" has no item " + std::to_string(index));
    popup.intValue = index;
    changed(popup);
}

void PanelSession::setBox(const std::string &label, bool on) {
    HostControl &box = workable(label, ControlValueKind::integer);
    if (box.type != "BoolControl") fail("\"" + label + "\" is not a check box");
    if ((box.intValue != 0) == on) return;
    box.intValue = on ? 1 : 0;
    changed(box);
}

void PanelSession::typeAngle(const std::string &label, double degrees) {
    HostControl &angle = workable(label, ControlValueKind::angle);
    angle.floatValue = Radians(degrees);
    changed(angle);
}

void PanelSession::pressKey(int key) {
    requireOpen();
    services.notifyKey(worked, PAN_USERKEYS, key);
}

void PanelSession::releaseKey(int key) {
    requireOpen();
    services.notifyKey(worked, PAN_USERKEYUPS, key);
}

void PanelSession::pressMouse(int x, int y, int qualifiers) {
    requireOpen();
    services.notifyMouse(worked, PAN_MOUSEBUTTON, qualifiers | MOUSE_DOWN, x, y);
}

void PanelSession::releaseMouse(int x, int y, int qualifiers) {
    requireOpen();
    services.notifyMouse(worked, PAN_MOUSEBUTTON, qualifiers & ~MOUSE_DOWN, x, y);
}

void PanelSession::moveMouse(int x, int y, int qualifiers) {
    requireOpen();
    services.notifyMouse(worked, PAN_MOUSEMOVE, qualifiers, x, y);
}

void PanelSession::click(int x, int y, int qualifiers) {
    pressMouse(x, y, qualifiers);
    releaseMouse(x, y, qualifiers);
}

void PanelSession::close() {
    requireOpen();
    services.closePanel(worked);
}
