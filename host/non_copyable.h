// A base for the host's classes that hold something of their own (a registration as the current
// service, a loaded module, a ray-tracing device, an open block stack) that a copy would share
// or release twice.
#pragma once

class NonCopyable {
  protected:
    NonCopyable() = default;
    ~NonCopyable() = default;

  public:
    NonCopyable(const NonCopyable &) = delete;
    NonCopyable &operator=(const NonCopyable &) = delete;
};
