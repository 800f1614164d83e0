#include "panel/set_options_panel.h"

#include <array>

#include "discovery/polygon_set_scan.h"
#include "module/callback_guard.h"
#include "module/module_objects.h"
#include "panel/set_options_labels.h"

namespace {

constexpr int PanelWidth = 300;
constexpr int PanelHeight = 24;

// The host takes popup items as `char *`: it gets a copy of the label, never the literal itself.
std::array<char, sizeof set_options_label::NoSet> NoSetItem =
    std::to_array(set_options_label::NoSet);

// The set names of the popup: index 1 to n is the name at n - 1; null for the others.
const std::string *SetNameAt(std::int32_t index) {
    if (index < 1 || index > static_cast<std::int32_t>(setNameList.names.size())) return nullptr;
    return &setNameList.names[index - 1];
}

std::int32_t GetInteger(LWControl *control) {
    LWValue value = {};
    value.type = LWT_INTEGER;
    control->get(control, CTL_VALUE, &value);
    return value.intv.value;
}

double GetFloat(LWControl *control) {
    LWValue value = {};
    value.type = LWT_FLOAT;
    control->get(control, CTL_VALUE, &value);
    return value.flt.value;
}

void SetInteger(LWControl *control, cTag tag, std::int32_t number) {
    LWValue value = {};
    value.intv.type = LWT_INTEGER;
    value.intv.value = number;
    control->set(control, tag, &value);
}

void SetFloat(LWControl *control, double number) {
    LWValue value = {};
    value.flt.type = LWT_FLOAT;
    value.flt.value = number;
    control->set(control, CTL_VALUE, &value);
}

}  // namespace

SetOptionsPanel::SetOptionsPanel(ShaderInstance &edited) : PanelWindow(VelmoraTitle, &edited) {
    width = PanelWidth;
    height = PanelHeight;
}

int SetOptionsPanel::PopupCount(void *) {
    return Guarded(0, [] { return static_cast<int>(setNameList.names.size()) + 1; });
}

char *SetOptionsPanel::PopupName(void *, int index) {
    return Guarded<>(static_cast<char *>(nullptr), [index]() -> char * {
        if (index == 0) return NoSetItem.data();
        const std::string *name = SetNameAt(index);
        return name ? const_cast<char *>(name->c_str()) : nullptr;
    });
}

void SetOptionsPanel::CreateControls() {
    ScanPolygonSets(instance().surface, setNameList);
    PruneEntries();

    LWPanControlDesc desc = {};
    desc.popup = {LWT_POPUP, 150, PopupCount, PopupName};
    popup = AddPlacedControl("CustomPopupControl", desc, set_options_label::SetPopup, 8, 0);
    desc = {};
    desc.area = {LWT_AREA, 280, 1};
    AddPlacedControl("AreaControl", desc, "", 8, 28);
    desc = {};
    desc.type = LWT_BOOLEAN;
    enableCheck = AddPlacedControl("BoolControl", desc, set_options_label::Enable, 8, 36);
    desc = {};
    desc.range = {LWT_RANGE, 280, 0, 360};
    angleControl = AddPlacedControl("AngleControl", desc, set_options_label::Angle, 8, 60);
    desc = {};
    desc.type = LWT_BOOLEAN;
    sameSetCheck = AddPlacedControl("BoolControl", desc, set_options_label::SameSetOnly, 8, 84);
    if (!controlsMade()) return;

    SetInteger(popup, CTL_VALUE, selectedIndex);
    ShowEntry(selectedIndex);
    HookControl(enableCheck);
    HookControl(popup);
}

LWControl *SetOptionsPanel::AddPlacedControl(const char *type, LWPanControlDesc desc,
                                             const char *label, int x, int y) {
    LWControl *control =
        services->addControl(panel, const_cast<char *>(type), &desc, const_cast<char *>(label));
    if (!control) return nullptr;
    SetInteger(control, CTL_X, x);
    SetInteger(control, CTL_Y, y);
    return control;
}

void SetOptionsPanel::PruneEntries() {
    PolygonSetList &settings = *instance().settings;
    for (std::size_t index = 0; index < settings.size();) {
        if (ContainsName(setNameList, settings.at(index).name.c_str()))
            ++index;
        else
            settings.remove(index);
    }
}

PolygonSetEntry &SetOptionsPanel::FindOrCreateEntry(const std::string &name) {
    PolygonSetList &settings = *instance().settings;
    if (PolygonSetEntry *found = settings.find(name.c_str())) return *found;
    return settings.append(name);
}

void SetOptionsPanel::DrawSettingControls(bool usable) {
    DrMode mode = usable ? DR_RENDER : DR_GHOST;
    angleControl->draw(angleControl, mode);
    sameSetCheck->draw(sameSetCheck, mode);
}

void SetOptionsPanel::ShowEntry(std::int32_t index) {
    const std::string *name = SetNameAt(index);
    if (!name) {
        SetInteger(enableCheck, CTL_VALUE, 0);
        SetFloat(angleControl, DefaultSmoothingAngle);
        SetInteger(sameSetCheck, CTL_VALUE, 0);
        enableCheck->draw(enableCheck, DR_GHOST);
        DrawSettingControls(false);
        return;
    }
    const PolygonSetEntry &entry = FindOrCreateEntry(*name);
    SetInteger(enableCheck, CTL_VALUE, entry.enabled);
    SetFloat(angleControl, entry.angle);
    SetInteger(sameSetCheck, CTL_VALUE, entry.sameSetOnly);
    enableCheck->draw(enableCheck, DR_RENDER);
    DrawSettingControls(entry.enabled != 0);
}

void SetOptionsPanel::StoreEntry(std::int32_t index) {
    const std::string *name = SetNameAt(index);
    if (!name) return;
    PolygonSetEntry &entry = FindOrCreateEntry(*name);
    entry.enabled = GetInteger(enableCheck);
    entry.angle = GetFloat(angleControl);
    entry.sameSetOnly = GetInteger(sameSetCheck);
}

void SetOptionsPanel::OnControlEvent(LWControl *control) {
    if (control == popup) {
        StoreEntry(selectedIndex);
        selectedIndex = GetInteger(popup);
        ShowEntry(selectedIndex);
    } else if (control == enableCheck) {
        DrawSettingControls(GetInteger(enableCheck) != 0);
    }
}

void SetOptionsPanel::OnClose() {
    if (!controlsMade()) return;
    selectedIndex = GetInteger(popup);
    StoreEntry(selectedIndex);
}
