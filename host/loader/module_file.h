// A module file opened the way the host opens one: by path, reaching it only through the
// `_mod_descrip` record it exports.
#pragma once

#include <string>

#include "host/non_copyable.h"
#include "hostapi/lwserver.h"

class ModuleFile : NonCopyable {
  public:
    // Throws std::runtime_error naming the file and the problem.
    explicit ModuleFile(const std::string &path);
    ~ModuleFile();

    ModuleDescriptor &descriptor() const { return *record; }

  private:
    void *library = nullptr;
    ModuleDescriptor *record = nullptr;
};

// The activation of the server of `className` named `name` in a module's list, or null.
ActivateFunc *FindServer(const ModuleDescriptor &module, const char *className, const char *name);
