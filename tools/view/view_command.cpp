// `velmora view OBJECT [settings options] [--port N] [--open] [-o OUT.lwo]`: the object in a web
// browser, shaded by the module, its polygon sets tuned live through the module's own dialog.
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <thread>

#include "host/for_each_on_threads.h"
#include "host/formats/format_error.h"
#include "host/scene/plural.h"
#include "host/scene/polygon_sets.h"
#include "host/session/settings_file.h"
#include "tools/velmora/applied_object.h"
#include "tools/velmora/command_table.h"
#include "tools/velmora/input_guard.h"
#include "tools/view/launch_page.h"
#include "tools/view/served_object.h"
#include "tools/view/view_server.h"

extern char **environ;

namespace {

// The desktop's browser, where there is a desktop, opened on `page`, which sends it on to the
// address; the address is printed either way.
void OpenInBrowser(const LaunchPage &page) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::cerr << "velmora: no desktop to open a browser on; open the address above\n";
        return;
    }
    char opener[] = "xdg-open";
    std::string copy = page.url();
    char *arguments[] = {opener, copy.data(), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, opener, nullptr, nullptr, arguments, environ) != 0) {
        std::cerr << "velmora: cannot start xdg-open; open the address above\n";
        return;
    }
    // Reaped aside, so that the server never waits for the browser.
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
}

// Save settings writes here: --save-settings, or the object's name with ".settings".
std::string SettingsTarget(const ObjectOptions &object) {
    if (!object.saveSettingsFile.empty()) return object.saveSettingsFile;
    return std::filesystem::path(object.object).replace_extension(".settings").string();
}

// Apply writes here: -o, or the object's name with ".applied.lwo", beside it and never over it.
std::string ApplyTarget(const ObjectOptions &object, const std::string &output) {
    if (!output.empty()) return output;
    return std::filesystem::path(object.object).replace_extension(".applied.lwo").string();
}

// A write refused for where it would land, or for what the file cannot hold (settings beyond
// what a surface's block can take), is answered as the client's to mend, not as a failure of
// the server.
std::function<ViewWrite()> RefusalsAsConflicts(std::function<ViewWrite()> write) {
    return [write = std::move(write)] {
        try {
            return write();
        } catch (const OutputRefused &refused) {
            throw ViewRequestError(409, refused.what());
        } catch (const FormatError &unheld) {
            throw ViewRequestError(422, unheld.what());
        }
    };
}

// "wrote carriage.applied.lwo: settings of 14 polygon sets on 3 surfaces": the sets of the
// surfaces that carry the shader, whose settings the file now holds.
std::string WriteSummary(OpenedObject &opened, const std::string &target) {
    std::size_t sets = 0, surfaces = 0;
    for (const std::string &surface : opened.file().surfaces) {
        if (!opened.session().instanceOf(opened.file(), surface)) continue;
        ++surfaces;
        sets += CollectPolygonSets(opened.file().mesh, surface).names.size();
    }
    return "wrote " + std::filesystem::path(target).filename().string() + ": settings of " +
           Plural(sets, "polygon set") + " on " + Plural(surfaces, "surface");
}

class ViewCommand : public Command {
  public:
    void addOptions(CLI::App &app) override {
        app.add_option("--port", port, "the port to serve on (default 0: any free port)")
            ->check(CLI::Range(0, 65535))
            ->type_name("N");
        app.add_flag("--open", open, "open the page in the desktop's browser");
        app.add_option("-o,--output", output,
                       "the LWO2 file Apply stores the settings in, as `apply -o` does (default: "
                       "the object's name with .applied.lwo)")
            ->type_name("FILE");
    }

    std::vector<CommandFile> outputs() const override { return {{"-o", output}}; }

    int run(const ObjectOptions &given) override {
        // Opened as apply opens it, so that Apply edits the bytes the settings were made for.
        const ApplyInput input = ReadApplyInput(given.object);
        const std::string applyTo = ApplyTarget(given, output);
        CheckApplyOutput(given.object, input, applyTo);
        // Apply's and Save settings' files, defaults included, are two files and no input: the
        // command line compares only the names given.
        RefuseOutputsOverInputs({{"Apply", applyTo}, {"Save settings", SettingsTarget(given)}},
                                InputsOf(given));
        ServedObject served(given, input);
        const std::vector<CommandFile> inputs = InputsOf(given);
        ViewServerOptions server;
        server.port = port;
        server.saveSettingsTo = SettingsTarget(given);
        server.saveSettings =
            RefusalsAsConflicts([&served, &inputs, target = server.saveSettingsTo] {
                RefuseOutputsOverInputs({{"Save settings", target}}, inputs);
                SaveSettingsFile(served.opened().session(), served.opened().file(), target,
                                 SetsFromOfRun(served.options()));
                return ViewWrite{target, WriteSummary(served.opened(), target), {}};
            });
        // Checked again at each Apply: a link put in the target's place meanwhile must not lead
        // the write onto an input.
        server.applyTo = applyTo;
        server.apply = RefusalsAsConflicts([&served, &inputs, &input, target = applyTo] {
            RefuseOutputsOverInputs({{"Apply", target}}, inputs);
            std::vector<std::string> notes = WriteAppliedObject(served.options(), served.opened(),
                                                                input, target, &served.proposal());
            return ViewWrite{target, WriteSummary(served.opened(), target), std::move(notes)};
        });
        server.setSources = served.setSources();
        server.setsMadeOf = [&served] { return served.options().setsFrom; };
        server.makeSetsFrom = [&served](const std::string &source) { served.makeSetsFrom(source); };
        std::unique_ptr<LaunchPage> launch;  // kept while the view serves
        ServeView([&served]() -> ViewObject & { return served.view(); }, server,
                  [this, &launch](const std::string &address) {
                      std::cout << "velmora: view at " << address << std::endl;
                      if (!open) return;
                      try {
                          launch = std::make_unique<LaunchPage>(address);
                          OpenInBrowser(*launch);
                      } catch (const std::runtime_error &error) {
                          std::cerr << "velmora: " << error.what() << "; open the address above\n";
                      }
                  });
        return Succeeded;
    }

  private:
    int port = 0;
    bool open = false;
    std::string output;
};

}  // namespace

std::unique_ptr<Command> MakeViewCommand() {
    return std::make_unique<ViewCommand>();
}
