#include "platform/shader_lock.h"

#ifdef _WIN32

ShaderLock::ShaderLock() {
    InitializeCriticalSection(&section);
}
ShaderLock::~ShaderLock() {
    DeleteCriticalSection(&section);
}
void ShaderLock::enter() {
    EnterCriticalSection(&section);
}
void ShaderLock::leave() {
    LeaveCriticalSection(&section);
}

#else

ShaderLock::ShaderLock() = default;
ShaderLock::~ShaderLock() = default;
void ShaderLock::enter() {
    section.lock();
}
void ShaderLock::leave() {
    section.unlock();
}

#endif
