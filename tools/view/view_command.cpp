// `velmora view OBJECT [settings options] [--port N] [--open]`: the object in a web browser,
// shaded by the module, its polygon sets tuned live through the module's own dialog.
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <thread>

#include "host/session/settings_file.h"
#include "tools/velmora/command_table.h"
#include "tools/view/view_server.h"

extern char **environ;

namespace {

// The desktop's browser, where there is a desktop; the address is printed either way.
void OpenInBrowser(const std::string &address) {
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::cerr << "velmora: no desktop to open a browser on; open the address above\n";
        return;
    }
    char opener[] = "xdg-open";
    std::string copy = address;
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

class ViewCommand : public Command {
  public:
    void addOptions(CLI::App &app) override {
        app.add_option("--port", port, "the port to serve on (default 0: any free port)")
            ->check(CLI::Range(0, 65535))
            ->type_name("N");
        app.add_flag("--open", open, "open the page in the desktop's browser");
    }

    int run(const ObjectOptions &object) override {
        // The settings are saved when the page asks, never on opening.
        ObjectOptions opening = object;
        opening.saveSettingsFile.clear();
        std::unique_ptr<OpenedObject> opened = OpenObject(opening);
        ViewObject view(opened->session(), opened->hostSmoothing(),
                        std::max(1u, std::thread::hardware_concurrency()));
        ViewServerOptions server;
        server.port = port;
        server.saveSettingsTo = SettingsTarget(object);
        server.saveSettings = [&opened, target = server.saveSettingsTo, inputs = InputsOf(object)] {
            RefuseOutputsOverInputs({{"Save settings", target}}, inputs);
            SaveSettingsFile(opened->session(), opened->file(), target);
            return target;
        };
        ServeView(view, server, [this](const std::string &address) {
            std::cout << "velmora: view at " << address << std::endl;
            if (open) OpenInBrowser(address);
        });
        return Succeeded;
    }

  private:
    int port = 0;
    bool open = false;
};

}  // namespace

std::unique_ptr<Command> MakeViewCommand() {
    return std::make_unique<ViewCommand>();
}
