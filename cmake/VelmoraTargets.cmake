# Helpers shared by every folder's CMakeLists.

function(velmora_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
    if(WIN32 AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        # mingw's GCC 12 at -O3 takes a string literal added to a temporary std::string for a copy of
        # 2 GB that overlaps itself (GCC bug 105329); the warning is wrong, not the code.
        target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
    if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
        # The 32-bit host guarantees only 4-byte stack alignment at callback entry (the x86-64
        # calling convention keeps 16).
        target_compile_options(${target} PRIVATE -mincoming-stack-boundary=2)
    endif()
endfunction()

# Adds sources of the plug-in module (everything that ends up in KV_Velmora.p).
function(velmora_module_sources)
    target_sources(velmora_plugin_objects PRIVATE ${ARGN})
endfunction()

# Adds sources of the stand-in host library.
function(velmora_host_sources)
    target_sources(velmora_host PRIVATE ${ARGN})
endfunction()

# Adds test sources to the unit-test program.
function(velmora_test_sources)
    target_sources(velmora_tests PRIVATE ${ARGN})
endfunction()
