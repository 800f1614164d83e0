# Runs an example-object generator into a fresh folder (GENERATOR ACTUAL GENERATOR_ARGS...) and
# compares its output with the committed example objects, file by file.
file(REMOVE_RECURSE ${ACTUAL})
file(MAKE_DIRECTORY ${ACTUAL})
execute_process(COMMAND ${GENERATOR} ${ACTUAL} ${GENERATOR_ARGS} RESULT_VARIABLE failed)
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
        get_filename_component(folder ${EXPECTED} NAME)
        get_filename_component(program ${GENERATOR} NAME)
        message(FATAL_ERROR "examples/${folder}/${name} differs from the generator's output: "
                            "run ${program} examples/${folder} ${GENERATOR_ARGS}")
    endif()
endforeach()
