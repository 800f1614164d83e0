// A file written under a name of its own, that takes its target's name, whole, only when
// committed. Where the system offers it (O_TMPFILE on Linux) the file has no name at all until
// then, so that nothing, not even a kill, can leave it behind; elsewhere its temporary name is
// removed on failure, on abandonment and on SIGINT or SIGTERM.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "host/formats/interrupt_cleanup.h"
#include "host/non_copyable.h"

class PendingFile : NonCopyable {
  public:
    // Beside `target`, a regular file or none yet. Throws std::system_error.
    explicit PendingFile(std::string target);
    // Abandons the file unless it was committed.
    ~PendingFile();

    std::FILE *stream() const { return file; }

    // Flushes the file to the disk, gives it the permissions of the file it replaces and puts
    // it in the target's place. Throws std::system_error; the target is then as it was.
    void commit();

  private:
    void openNamed();
    bool linkedInPlace();

    std::string target;
    std::FILE *file = nullptr;
    std::string named;  // its temporary name, or empty while it has none
    std::unique_ptr<InterruptCleanup> cleanup;
};
