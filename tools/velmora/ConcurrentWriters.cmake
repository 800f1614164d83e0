# Four runs of the velmora command writing one file at once, ROUNDS times over: every run must
# succeed and the file must be one run's whole output, with nothing left beside it.
#   VELMORA   the program (with EMULATOR before it when cross-compiled)
#   ARGS      the arguments all runs share, separated by '|'
#   VARY      four arguments, separated by '|', one per run: what makes their outputs differ
#   OUTPUT    the option and file the runs write, e.g. "-o|FOLDER/out.csv"
#   ROUNDS    how many times the four runs are started together
include(${CMAKE_CURRENT_LIST_DIR}/LeftBeside.cmake)
foreach(list ARGS VARY OUTPUT)
    string(REPLACE "|" ";" ${list} "${${list}}")
endforeach()
list(GET OUTPUT -1 target)
get_filename_component(folder ${target} DIRECTORY)
file(REMOVE_RECURSE ${folder})
file(MAKE_DIRECTORY ${folder})

# Each run alone first, for the output it gives.
set(run 0)
foreach(vary IN LISTS VARY)
    list(TRANSFORM OUTPUT REPLACE "^${target}$" "${folder}/alone${run}" OUTPUT_VARIABLE alone)
    execute_process(COMMAND ${EMULATOR} ${VELMORA} ${ARGS} ${vary} ${alone}
                    RESULT_VARIABLE status ERROR_VARIABLE err OUTPUT_QUIET)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "run ${run} alone exited with ${status}: ${err}")
    endif()
    file(SHA256 ${folder}/alone${run} whole${run})
    file(REMOVE ${folder}/alone${run})
    math(EXPR run "${run} + 1")
endforeach()
if(whole0 STREQUAL whole1)
    message(FATAL_ERROR "the runs give the same output; the test could not tell them apart")
endif()

# execute_process starts the commands of one call together, as a pipeline; each run's standard
# output goes to /dev/null, so that none waits on or is cut off by the next.
set(quiet sh -c "exec \"$@\" > /dev/null" run ${EMULATOR} ${VELMORA} ${ARGS})
list(GET VARY 0 vary0)
list(GET VARY 1 vary1)
list(GET VARY 2 vary2)
list(GET VARY 3 vary3)
foreach(round RANGE 1 ${ROUNDS})
    execute_process(COMMAND ${quiet} ${vary0} ${OUTPUT}
                    COMMAND ${quiet} ${vary1} ${OUTPUT}
                    COMMAND ${quiet} ${vary2} ${OUTPUT}
                    COMMAND ${quiet} ${vary3} ${OUTPUT}
                    RESULTS_VARIABLE statuses ERROR_VARIABLE err)
    foreach(status IN LISTS statuses)
        if(NOT status EQUAL 0)
            message(FATAL_ERROR "round ${round}: a run exited with ${status}: ${err}")
        endif()
    endforeach()
    file(SHA256 ${target} result)
    if(NOT result MATCHES "^(${whole0}|${whole1}|${whole2}|${whole3})$")
        message(FATAL_ERROR "round ${round}: ${target} is not one run's whole output")
    endif()
    expect_entries(${folder} 1 "round ${round}: ")
endforeach()
