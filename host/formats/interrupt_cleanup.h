// Named temporary files that an interrupt must not leave behind. While a claim lives, SIGINT or
// SIGTERM removes its file before the program ends as the signal asks. Only signals left at
// their default are taken over: a program told to ignore them still does.
#pragma once

#include <string>

#include "host/non_copyable.h"

class InterruptCleanup : NonCopyable {
  public:
    explicit InterruptCleanup(std::string path);
    ~InterruptCleanup();

  private:
    std::string path;
    int slot = -1;  // none when every slot is taken: the file is then only removed on failure
};
