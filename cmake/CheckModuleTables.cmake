# Checks the PE tables of the shipped module: a DLL of the target's machine (FORMAT, objdump's name
# for it: pei-i386 or pei-x86-64; a host loads only its own) that exports exactly _mod_descrip
# and imports nothing but system DLLs.
execute_process(COMMAND ${OBJDUMP} -p ${MODULE} OUTPUT_VARIABLE dump RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${MODULE}")
endif()
if(NOT dump MATCHES "file format ${FORMAT}\n")
    message(FATAL_ERROR "${MODULE} is not a ${FORMAT} file")
endif()
if(NOT dump MATCHES "\n\tDLL\n")
    message(FATAL_ERROR "${MODULE} is not a DLL")
endif()

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[^\n]*\n)+)" exports "${dump}")
string(REGEX MATCHALL "\\] [^\n]+" names "${CMAKE_MATCH_1}")
if(NOT names STREQUAL "] _mod_descrip")
    message(FATAL_ERROR "${MODULE} must export only _mod_descrip, exports: ${names}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${dump}")
foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll MATCHES "^(kernel32|msvcrt|user32|advapi32|ntdll)\\.dll$")
        message(FATAL_ERROR "${MODULE} imports ${dll}, which a host machine may lack")
    endif()
endforeach()
message(STATUS "${MODULE} (${FORMAT}): exports only _mod_descrip, imports ${imports}")
