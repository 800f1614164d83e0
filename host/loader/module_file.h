// A module file opened the way the host opens one: by path, reaching it only through the
// `_mod_descrip` record it exports.
#pragma once

#include <string>

#include "host/non_copyable.h"
#include "hostapi/lwserver.h"

class ModuleFile : NonCopyable {
  public:
    // `path` is taken from the current folder when it is relative, a bare file name too. Throws
    // std::runtime_error naming the file and the problem: no such file, a file that is no module
    // (with the system loader's reason), a module without the host's descriptor.
    explicit ModuleFile(const std::string &path);
    ~ModuleFile();

    ModuleDescriptor &descriptor() const { return *record; }

  private:
    void *library = nullptr;
    ModuleDescriptor *record = nullptr;
};

// The activation of the server of `className` named `name` in a module's list, or null.
ActivateFunc *FindServer(const ModuleDescriptor &module, const char *className, const char *name);
