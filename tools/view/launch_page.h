// The page `view --open` opens the browser on, so that the view's address with its token never
// stands on a command line, which every local user can read (/proc/PID/cmdline): a file only its
// owner can read, in a folder only its owner can enter, that sends the browser on to the address.
#pragma once

#include <filesystem>
#include <string>

class LaunchPage {
  public:
    // Throws std::runtime_error when the folder or the file cannot be made.
    explicit LaunchPage(const std::string &address);
    ~LaunchPage();
    LaunchPage(const LaunchPage &) = delete;
    LaunchPage &operator=(const LaunchPage &) = delete;

    // The page's file:// address, which names no token.
    std::string url() const { return "file://" + page.string(); }

  private:
    std::filesystem::path folder, page;
};
