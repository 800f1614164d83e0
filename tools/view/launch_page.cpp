#include "tools/view/launch_page.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace {

// Where the folder goes: the user's runtime folder, which is the user's alone, where there is one.
std::filesystem::path Parent() {
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime) return runtime;
    return std::filesystem::temp_directory_path();
}

std::runtime_error Failed(const std::filesystem::path &path) {
    return std::runtime_error("cannot make " + path.string() + ": " + std::strerror(errno));
}

}  // namespace

LaunchPage::LaunchPage(const std::string &address) {
    std::string pattern = (Parent() / "velmora-view-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw Failed(pattern);  // made for its owner alone
    folder = pattern;
    page = folder / "open.html";
    int file = ::open(page.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0) {
        std::error_code ignored;
        std::filesystem::remove(folder, ignored);
        throw Failed(page);
    }
    // The address holds only the loopback, a port and a token of letters, digits, - and _.
    const std::string html =
        "<!DOCTYPE html><meta charset=\"utf-8\"><title>Velmora</title>"
        "<meta http-equiv=\"refresh\" content=\"0; url=" +
        address + "\"><a href=\"" + address + "\">Open the view</a>\n";
    bool written = ::write(file, html.data(), html.size()) == ssize_t(html.size());
    ::close(file);
    if (!written) {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        throw Failed(page);
    }
}

LaunchPage::~LaunchPage() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
