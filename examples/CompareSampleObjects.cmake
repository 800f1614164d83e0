# Runs the sample-object generator into a fresh folder and compares its output with the
# committed example objects, file by file.
file(REMOVE_RECURSE ${ACTUAL})
file(MAKE_DIRECTORY ${ACTUAL})
execute_process(COMMAND ${GENERATOR} ${ACTUAL} RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${GENERATOR} failed")
endif()
file(GLOB expected RELATIVE ${EXPECTED} ${EXPECTED}/*)
file(GLOB actual RELATIVE ${ACTUAL} ${ACTUAL}/*)
if(NOT expected STREQUAL actual)
    message(FATAL_ERROR "example objects are ${expected}, the generator makes ${actual}")
endif()
foreach(name IN LISTS expected)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXPECTED}/${name} ${ACTUAL}/${name}
                    RESULT_VARIABLE differs)
    if(differs)
        message(FATAL_ERROR "examples/objects/${name} differs from the generator's output: "
                            "run make_sample_objects examples/objects")
    endif()
endforeach()
