#include "tools/view/view_command.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <iostream>
#include <thread>

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

}  // namespace

void AddViewOptions(CLI::App &command, ViewOptions &options) {
    command.add_option("--port", options.port, "the port to serve on (default 0: any free port)")
        ->check(CLI::Range(0, 65535))
        ->type_name("N");
    command.add_flag("--open", options.open, "open the page in the desktop's browser");
}

void RunView(HostSession &session, const render::SmoothingAngles &hostSmoothing,
             const ViewOptions &options, const ViewWriters &writers) {
    ViewObject object(session, hostSmoothing, std::max(1u, std::thread::hardware_concurrency()));
    ViewServerOptions server{options.port, writers.saveSettings, writers.apply,
                             writers.saveSettingsTo, writers.applyTo};
    ServeView(object, server, [&options](const std::string &address) {
        std::cout << "velmora: view at " << address << std::endl;
        if (options.open) OpenInBrowser(address);
    });
}
