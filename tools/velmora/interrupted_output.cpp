// Interrupts the command while it writes an output and checks that nothing is left behind:
//   interrupted_output SIGNAL FOLDER COMMAND ARGS...
// runs COMMAND ARGS, waits until it holds a file open in FOLDER (its output, being written),
// sends it SIGNAL (INT, TERM or KILL), and passes when the command ended by that signal and
// FOLDER holds what it held before.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;

int SignalNamed(const std::string &name) {
    if (name == "INT") return SIGINT;
    if (name == "TERM") return SIGTERM;
    if (name == "KILL") return SIGKILL;
    return 0;
}

std::set<std::string> Entries(const fs::path &folder) {
    std::set<std::string> names;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

// Whether the process holds a file in `folder` open, named or not.
bool WritesInto(pid_t process, const std::string &folder) {
    std::error_code error;
    fs::path descriptors = "/proc/" + std::to_string(process) + "/fd";
    for (const fs::directory_entry &entry : fs::directory_iterator(descriptors, error)) {
        fs::path open = fs::read_symlink(entry.path(), error);
        if (!error && open.string().starts_with(folder + "/")) return true;
    }
    return false;
}

int Fail(const std::string &why) {
    std::fprintf(stderr, "interrupted_output: %s\n", why.c_str());
    return 1;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc < 4 || !SignalNamed(argv[1]))
        return Fail("usage: interrupted_output INT|TERM|KILL FOLDER COMMAND ARGS...");
    int signal = SignalNamed(argv[1]);
    std::string folder = fs::canonical(argv[2]).string();
    std::set<std::string> before = Entries(folder);

    pid_t child = fork();
    if (child == 0) {
        execv(argv[3], argv + 3);
        _exit(127);
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!WritesInto(child, folder)) {
        int status;
        if (waitpid(child, &status, WNOHANG) == child)
            return Fail("the command ended before it wrote anything");
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return Fail("the command never opened a file in " + folder);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    kill(child, signal);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFSIGNALED(status) || WTERMSIG(status) != signal)
        return Fail(std::string("the command did not end by SIG") + argv[1]);
    std::set<std::string> after = Entries(folder);
    for (const std::string &name : after)
        if (!before.contains(name)) return Fail("left behind: " + name);
    return 0;
}
