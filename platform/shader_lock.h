// The module's one critical section.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <mutex>
#endif

class ShaderLock {
  public:
    ShaderLock();
    ~ShaderLock();
    ShaderLock(const ShaderLock &) = delete;
    ShaderLock &operator=(const ShaderLock &) = delete;

    void enter();
    void leave();

  private:
#ifdef _WIN32
    CRITICAL_SECTION section;
#else
    std::mutex section;
#endif
};

// Holds the lock for one scope, so that every path out of it leaves the section.
class ShaderLockHold {
  public:
    explicit ShaderLockHold(ShaderLock &lock) : lock(lock) { lock.enter(); }
    ~ShaderLockHold() { lock.leave(); }
    ShaderLockHold(const ShaderLockHold &) = delete;
    ShaderLockHold &operator=(const ShaderLockHold &) = delete;

  private:
    ShaderLock &lock;
};
