#include "host/panels/panel_services.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "host/panels/panel_session.h"

namespace {

PanelServices *current = nullptr;

std::string Quoted(const std::string &text) {
    return "\"" + text + "\"";
}

std::string PanelTagName(pTag tag) {
    switch (tag) {
        case PAN_X:
            return "PAN_X";
        case PAN_Y:
            return "PAN_Y";
        case PAN_W:
            return "PAN_W";
        case PAN_H:
            return "PAN_H";
        case PAN_USERDRAW:
            return "PAN_USERDRAW";
        case PAN_USERACTIVATE:
            return "PAN_USERACTIVATE";
        case PAN_USEROPEN:
            return "PAN_USEROPEN";
        case PAN_USERCLOSE:
            return "PAN_USERCLOSE";
        case PAN_USERDATA:
            return "PAN_USERDATA";
        case PAN_USERKEYS:
            return "PAN_USERKEYS";
        case PAN_MOUSEBUTTON:
            return "PAN_MOUSEBUTTON";
        case PAN_MOUSEMOVE:
            return "PAN_MOUSEMOVE";
        case PAN_USERKEYUPS:
            return "PAN_USERKEYUPS";
        default:
            return "tag " + std::to_string(tag);
    }
}

bool IsGeometryTag(pTag tag) {
    return tag == PAN_X || tag == PAN_Y || tag == PAN_W || tag == PAN_H;
}

bool IsNotificationTag(pTag tag) {
    switch (tag) {
        case PAN_USERDRAW:
        case PAN_USERACTIVATE:
        case PAN_USEROPEN:
        case PAN_USERCLOSE:
        case PAN_USERKEYS:
        case PAN_MOUSEBUTTON:
        case PAN_MOUSEMOVE:
        case PAN_USERKEYUPS:
            return true;
        default:
            return false;
    }
}

std::string Hex(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
    return text;
}

struct ControlKind {
    const char *type;
    LWType descriptorType;
    ControlValueKind value;
};

// The control types this host offers, with the descriptor each needs.
constexpr ControlKind ControlKinds[] = {
    {"CustomPopupControl", LWT_POPUP, ControlValueKind::integer},
    {"AreaControl", LWT_AREA, ControlValueKind::none},
    {"BoolControl", LWT_BOOLEAN, ControlValueKind::integer},
    {"AngleControl", LWT_RANGE, ControlValueKind::angle},
};

const ControlKind *FindControlKind(const char *type) {
    for (const ControlKind &kind : ControlKinds)
        if (std::string(kind.type) == type) return &kind;
    return nullptr;
}

}  // namespace

PanelServices::PanelServices()
    : functions{Create, Destroy,    Open,        Handle,  Draw,    Close,  Get,
                Set,    AddControl, NextControl, nullptr, nullptr, nullptr} {
    if (current) throw std::logic_error("a panel service is already being served");
    current = this;
}

PanelServices::~PanelServices() {
    current = nullptr;
}

void PanelServices::registerIn(ServiceTable &table) {
    table.provide(LWPANELFUNCS_GLOBAL, &functions);
}

HostPanel *PanelServices::findPanel(LWPanelID id, const char *operation) {
    for (auto &panel : live)
        if (panel.get() == id) return panel.get();
    report(std::string(operation) + ": not a live panel");
    return nullptr;
}

HostControl *PanelServices::findControl(LWControlID id, const char *operation) {
    for (auto &panel : live)
        for (auto &control : panel->controls)
            if (&control->record == id) return control.get();
    report(std::string(operation) + ": not a control of a live panel");
    return nullptr;
}

LWPanelID PanelServices::Create(char *title, void *panelFuncs) {
    if (!current) return nullptr;
    std::string text = title ? title : "";
    current->log("create " + Quoted(text));
    if (panelFuncs && panelFuncs != &current->functions)
        current->report("create " + Quoted(text) + ": second argument is not the service record");
    if (current->createRefused) return nullptr;
    auto panel = std::make_unique<HostPanel>();
    panel->services = current;
    panel->title = text;
    current->live.push_back(std::move(panel));
    return current->live.back().get();
}

void PanelServices::Destroy(LWPanelID id) {
    if (!current) return;
    current->log("destroy");
    HostPanel *panel = current->findPanel(id, "destroy");
    if (!panel) return;
    if (panel->open) current->report("destroy " + Quoted(panel->title) + ": the panel is open");
    std::erase_if(current->live, [panel](const auto &held) { return held.get() == panel; });
}

int PanelServices::Open(LWPanelID id, int flags) {
    if (!current) return 0;
    current->log("open " + Hex(flags));
    HostPanel *panel = current->findPanel(id, "open");
    if (!panel) return 0;
    if (panel->open) {
        current->report("open " + Quoted(panel->title) + ": the panel is already open");
        return 0;
    }
    panel->open = true;
    panel->openFlags = flags;
    ++current->openCount;
    current->notify(*panel, PAN_USEROPEN);
    current->notify(*panel, PAN_USERACTIVATE);
    current->notifyDraw(*panel, DR_REFRESH);
    if (!(flags & PANF_BLOCKING)) return 1;
    current->runUser(*panel);
    if (panel->open) current->closePanel(*panel);
    return 1;
}

void PanelServices::runUser(HostPanel &panel) {
    if (!panelUser) return;
    PanelSession session(*this, panel);
    try {
        panelUser->work(session);
    } catch (const std::exception &failure) {
        report(failure.what());
    }
}

int PanelServices::Handle(LWPanelID id, int) {
    if (current && current->findPanel(id, "handle"))
        current->report("handle: this host runs only modal panels");
    return 0;
}

void PanelServices::Draw(LWPanelID id, DrMode mode) {
    if (!current) return;
    current->log("draw " + std::to_string(mode));
    current->findPanel(id, "draw");
}

void PanelServices::Close(LWPanelID id) {
    if (!current) return;
    current->log("close");
    HostPanel *panel = current->findPanel(id, "close");
    if (panel && panel->open) current->closePanel(*panel);
}

void PanelServices::Get(LWPanelID id, pTag tag, void *value) {
    if (!current) return;
    current->log("get " + PanelTagName(tag));
    HostPanel *panel = current->findPanel(id, "get");
    if (!panel) return;
    if (IsGeometryTag(tag))
        *static_cast<int *>(value) = panel->geometry[tag];
    else
        current->report("get " + PanelTagName(tag) + ": not served");
}

void PanelServices::Set(LWPanelID id, pTag tag, void *value) {
    if (!current) return;
    HostPanel *panel = current->findPanel(id, "set");
    if (!panel) return;
    if (IsGeometryTag(tag)) {
        int size = *static_cast<const int *>(value);
        current->log("set " + PanelTagName(tag) + " " + std::to_string(size));
        panel->geometry[tag] = size;
        return;
    }
    current->log("set " + PanelTagName(tag));
    if (tag == PAN_USERDATA)
        panel->userData = value;
    else if (IsNotificationTag(tag))
        panel->notifications[tag] = value;
    else
        current->report("set " + PanelTagName(tag) + ": not served");
}

LWControl *PanelServices::AddControl(LWPanelID id, char *type, LWPanControlDesc *desc,
                                     char *label) {
    if (!current) return nullptr;
    std::string typeName = type ? type : "";
    std::string labelText = label ? label : "";
    current->log("addControl " + typeName + " " + Quoted(labelText));
    HostPanel *panel = current->findPanel(id, "addControl");
    if (!panel) return nullptr;
    const ControlKind *kind = FindControlKind(typeName.c_str());
    if (std::find(current->refusedTypes.begin(), current->refusedTypes.end(), typeName) !=
        current->refusedTypes.end())
        return nullptr;
    std::string where = "addControl " + typeName + " " + Quoted(labelText);
    if (!kind) {
        current->report(where + ": no such control type");
        return nullptr;
    }
    if (!desc || desc->type != kind->descriptorType) {
        current->report(where + ": descriptor missing or of another type");
        return nullptr;
    }
    if (kind->descriptorType == LWT_POPUP && (!desc->popup.countFn || !desc->popup.nameFn)) {
        current->report(where + ": popup without item functions");
        return nullptr;
    }
    auto control = std::make_unique<HostControl>();
    control->record = {ControlDraw, ControlGet, ControlSet, control.get()};
    control->panel = panel;
    control->type = typeName;
    control->label = labelText;
    control->descriptor = *desc;
    control->kind = kind->value;
    panel->controls.push_back(std::move(control));
    return &panel->controls.back()->record;
}

LWControl *PanelServices::NextControl(LWPanelID id, LWControlID after) {
    if (!current) return nullptr;
    HostPanel *panel = current->findPanel(id, "nextControl");
    if (!panel) return nullptr;
    bool takeNext = after == nullptr;
    for (auto &control : panel->controls) {
        if (takeNext) return &control->record;
        takeNext = &control->record == after;
    }
    return nullptr;
}

void PanelServices::ControlDraw(LWControlID id, DrMode mode) {
    if (!current) return;
    if (HostControl *control = current->findControl(id, "control draw")) control->drawMode = mode;
}

void PanelServices::ControlGet(LWControlID id, cTag tag, LWValue *value) {
    if (!current) return;
    HostControl *control = current->findControl(id, "control get");
    if (!control) return;
    std::string where = "control " + Quoted(control->label) + " get tag " + std::to_string(tag);
    if (tag == CTL_X || tag == CTL_Y) {
        value->intv.type = LWT_INTEGER;
        value->intv.value = tag == CTL_X ? control->x : control->y;
    } else if (tag != CTL_VALUE || control->kind == ControlValueKind::none) {
        current->report(where + ": not served");
    } else if (control->kind == ControlValueKind::integer) {
        value->intv.type = LWT_INTEGER;
        value->intv.value = control->intValue;
    } else {
        value->flt.type = LWT_FLOAT;
        value->flt.value = control->floatValue;
    }
}

void PanelServices::ControlSet(LWControlID id, cTag tag, LWValue *value) {
    if (!current) return;
    HostControl *control = current->findControl(id, "control set");
    if (!control) return;
    std::string where = "control " + Quoted(control->label) + " set tag " + std::to_string(tag);
    LWType expected =
        control->kind == ControlValueKind::angle && tag == CTL_VALUE ? LWT_FLOAT : LWT_INTEGER;
    if (value->type != expected) {
        current->report(where + ": value record of type " + std::to_string(value->type));
        return;
    }
    switch (tag) {
        case CTL_X:
            control->x = value->intv.value;
            break;
        case CTL_Y:
            control->y = value->intv.value;
            break;
        // Pointers come whole in the record's pointer member, which on i686 shares the bytes
        // of the integer value word.
        case CTL_USERDATA:
            control->userData = value->ptr.ptr;
            break;
        case CTL_USEREVENT:
            control->event = reinterpret_cast<LWCtlEventHook *>(value->ptr.ptr);
            break;
        case CTL_VALUE:
            if (control->kind == ControlValueKind::integer)
                control->intValue = value->intv.value;
            else if (control->kind == ControlValueKind::angle)
                control->floatValue = value->flt.value;
            else
                current->report(where + ": the control holds no value");
            break;
        default:
            current->report(where + ": not served");
    }
}

void PanelServices::notify(HostPanel &panel, pTag tag) {
    auto found = panel.notifications.find(tag);
    if (found == panel.notifications.end() || !found->second) return;
    reinterpret_cast<LWPanHook *>(found->second)(&panel, panel.userData);
}

void PanelServices::notifyDraw(HostPanel &panel, DrMode mode) {
    auto found = panel.notifications.find(PAN_USERDRAW);
    if (found == panel.notifications.end() || !found->second) return;
    reinterpret_cast<LWPanDrawHook *>(found->second)(&panel, panel.userData, mode);
}

void PanelServices::notifyMouse(HostPanel &panel, pTag tag, int qualifiers, int x, int y) {
    auto found = panel.notifications.find(tag);
    if (found == panel.notifications.end() || !found->second) return;
    reinterpret_cast<LWPanMouseHook *>(found->second)(&panel, panel.userData, qualifiers, x, y);
}

void PanelServices::notifyKey(HostPanel &panel, pTag tag, int key) {
    auto found = panel.notifications.find(tag);
    if (found == panel.notifications.end() || !found->second) return;
    reinterpret_cast<LWPanKeyHook *>(found->second)(&panel, panel.userData,
                                                    static_cast<LWDualKey>(key));
}

void PanelServices::closePanel(HostPanel &panel) {
    notify(panel, PAN_USERCLOSE);
    panel.open = false;
}
