#include "host/session/dialog_settings.h"

#include "host/panels/options_dialog_labels.h"
#include "host/panels/scripted_user.h"

std::map<std::string, DialogSettings> ReadDialogSettings(HostSession &session, LWInstance instance,
                                                         const std::vector<std::string> &sets) {
    std::map<std::string, DialogSettings> shown;
    ScriptedUser user;
    for (const std::string &set : sets) {
        user.pick(dialog_label::SetPopup, set).then([&shown, name = set](PanelSession &panel) {
            DialogSettings &settings = shown[name];
            settings.enabled = panel.shown(dialog_label::Enable) == "on";
            settings.angleDegrees = panel.angleDegrees(dialog_label::Angle);
            settings.sameSetOnly = panel.shown(dialog_label::SameSetOnly) == "on";
        });
    }
    // The dialog is left as it opened, on no set.
    user.pick(dialog_label::SetPopup, dialog_label::NoSet).close();
    session.editOptions(instance, user);
    return shown;
}
