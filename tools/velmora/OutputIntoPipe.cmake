# An output named by a pipe: the reader at its other end gets the output, and the pipe stays a
# pipe.
#   VELMORA  the program;  OBJECT  an object to take normals of;  FOLDER  a scratch folder
include(${CMAKE_CURRENT_LIST_DIR}/LeftBeside.cmake)
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
execute_process(COMMAND mkfifo ${FOLDER}/pipe.csv RESULT_VARIABLE made)
if(NOT made EQUAL 0)
    message(FATAL_ERROR "mkfifo failed")
endif()
# The two run at once: the writer's open waits for the reader's.
execute_process(COMMAND ${VELMORA} normals ${OBJECT} -o ${FOLDER}/pipe.csv
                COMMAND cat ${FOLDER}/pipe.csv
                RESULTS_VARIABLE statuses OUTPUT_VARIABLE read ERROR_VARIABLE err TIMEOUT 20)
if(NOT statuses STREQUAL "0;0")
    message(FATAL_ERROR "exited with ${statuses}: ${err}")
endif()
if(NOT read MATCHES "^object,polygon,corner")
    message(FATAL_ERROR "the reader did not get the output: ${read}")
endif()
execute_process(COMMAND test -p ${FOLDER}/pipe.csv RESULT_VARIABLE still)
if(NOT still EQUAL 0)
    message(FATAL_ERROR "the pipe was replaced by a file")
endif()
expect_entries(${FOLDER} 1 "")
