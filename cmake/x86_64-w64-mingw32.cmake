# Cross-compiles for the 64-bit Windows host, which every current release of the host is.
set(VELMORA_MINGW_TARGET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VELMORA_PE_FORMAT pei-x86-64 CACHE STRING "objdump's name for the module's file format")
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
