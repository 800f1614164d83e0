# Cross-compiles for the 32-bit Windows host.
set(VELMORA_MINGW_TARGET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VELMORA_PE_FORMAT pei-i386 CACHE STRING "objdump's name for the module's file format")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
