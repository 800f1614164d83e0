# The mingw-w64 cross toolchain of one Windows target, named by VELMORA_MINGW_TARGET (the triple),
# with posix threads, so that std::thread exists for the concurrency tests. Everything is linked
# statically: the module and the test programs import only system DLLs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${VELMORA_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VELMORA_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${VELMORA_MINGW_TARGET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VELMORA_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(VELMORA_OBJDUMP ${VELMORA_MINGW_TARGET}-objdump CACHE STRING "objdump that reads the module's PE tables")

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
