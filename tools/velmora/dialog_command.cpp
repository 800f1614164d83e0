#include "tools/velmora/dialog_command.h"

#include <cstdio>
#include <stdexcept>

#include "host/panels/panel_user.h"
#include "host/render/panel_picture.h"
#include "host/render/png_file.h"
#include "host/scene/name_lookup.h"
#include "host/scene/polygon_sets.h"
#include "host/scene/quoted_list.h"
#include "tools/velmora/command_table.h"
#include "tools/velmora/nothing_to_shade.h"
#include "tools/velmora/render_command.h"

namespace {

// Someone who opens the popup of polygon sets, picks one, looks at the panel and leaves.
class DialogViewer : public PanelUser {
  public:
    explicit DialogViewer(const std::optional<std::string> &set) : shownSet(set) {}

    void work(PanelSession &session) override {
        if (const HostControl *popup = FirstPopup(session.panel())) {
            if (shownSet)
                session.pick(popup->label, *shownSet);
            else if (session.popupItems(*popup).size() > 1)
                session.pickIndex(popup->label, 1);  // item 0 is the dialog's "no set"
        }
        view.picture = render::PanelPicture(session);
        for (const auto &control : session.panel().controls)
            if (!control->label.empty()) view.shown[control->label] = session.shown(*control);
    }

    DialogView view;

  private:
    static const HostControl *FirstPopup(const HostPanel &panel) {
        for (const auto &control : panel.controls)
            if (control->descriptor.type == LWT_POPUP) return control.get();
        return nullptr;
    }

    std::optional<std::string> shownSet;
};

}  // namespace

void AddDialogOptions(CLI::App &command, DialogOptions &options) {
    command.add_option("-o,--output", options.output, "the PNG file to write")
        ->capture_default_str()
        ->type_name("FILE");
    command
        .add_option("--show", options.shownSet,
                    "the polygon set picked in the dialog's list (default: the first)")
        ->type_name("SET");
}

DialogView ViewDialog(HostSession &session, const ObjectFile &file, const std::string &surface,
                      const std::optional<std::string> &shownSet) {
    if (file.surfaces.empty()) throw std::runtime_error(file.filename + ": no surfaces");
    const std::string &shown = surface.empty() ? file.surfaces.front() : surface;
    try {
        if (shownSet)
            PolygonSetIndex(CollectPolygonSets(file.mesh, shown).names, *shownSet,
                            {file.filename, shown});
    } catch (const UnknownName &unknown) {
        throw std::runtime_error("--show " + QuotedName(*shownSet) + ": " + unknown.what());
    }
    DialogViewer viewer(shownSet);
    try {
        session.editOptions(session.attach(file, shown), viewer);
    } catch (const std::runtime_error &error) {
        throw std::runtime_error(file.filename + ": surface \"" + shown +
                                 "\": options dialog: " + error.what());
    }
    return viewer.view;
}

void RunDialog(HostSession &session, const ObjectFile &file, const std::string &surface,
               const DialogOptions &options) {
    render::Image picture = ViewDialog(session, file, surface, options.shownSet).picture;
    render::WritePng(picture, options.output);
    std::fprintf(stderr, "velmora: wrote %s (%dx%d)\n", options.output.c_str(), picture.width,
                 picture.height);
}

namespace {

class DialogCommand : public Command {
  public:
    void addOptions(CLI::App &app) override { AddDialogOptions(app, options); }

    void checkUsage() const override {
        try {
            CheckPictureName(options.output);
        } catch (const std::invalid_argument &error) {
            throw UsageError(error.what());
        }
    }
    std::vector<CommandFile> outputs() const override { return {{"-o", options.output}}; }

    int run(const ObjectOptions &object) override {
        std::unique_ptr<OpenedObject> opened = OpenObject(object);
        RefuseNothingToShade(opened->file());
        RunDialog(opened->session(), opened->file(), object.surface, options);
        return Succeeded;
    }

  private:
    DialogOptions options;
};

}  // namespace

std::unique_ptr<Command> MakeDialogCommand() {
    return std::make_unique<DialogCommand>();
}
