# An output named by a link: the file the link names gets the output and keeps its mode, and the
# link stays a link.
#   VELMORA  the program;  OBJECT  an object to take normals of;  FOLDER  a scratch folder
include(${CMAKE_CURRENT_LIST_DIR}/LeftBeside.cmake)
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
file(WRITE ${FOLDER}/normals.csv "old\n")
file(CHMOD ${FOLDER}/normals.csv PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ)
file(CREATE_LINK normals.csv ${FOLDER}/link.csv SYMBOLIC)
execute_process(COMMAND ${VELMORA} normals ${OBJECT} -o ${FOLDER}/link.csv
                RESULT_VARIABLE status ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "velmora exited with ${status}: ${err}")
endif()
if(NOT IS_SYMLINK ${FOLDER}/link.csv)
    message(FATAL_ERROR "the link was replaced by a file")
endif()
file(READ ${FOLDER}/normals.csv written)
if(NOT written MATCHES "^object,polygon,corner")
    message(FATAL_ERROR "the linked file did not get the output: ${written}")
endif()
execute_process(COMMAND stat -c %a ${FOLDER}/normals.csv OUTPUT_VARIABLE mode
                OUTPUT_STRIP_TRAILING_WHITESPACE)
if(NOT mode STREQUAL "640")
    message(FATAL_ERROR "the file's mode became ${mode}, not 640")
endif()
expect_entries(${FOLDER} 2 "")
