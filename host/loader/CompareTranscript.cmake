# Runs PROGRAM (the program, then its arguments, separated by '|') and compares what it prints with the
# file EXPECTED, ignoring carriage returns. Fails with both texts when they differ or the program
# fails.
string(REPLACE "|" ";" command "${PROGRAM}")
execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\r" "" out "${out}")
file(READ ${EXPECTED} expected)
if(NOT status EQUAL 0 OR NOT out STREQUAL expected)
    message(FATAL_ERROR "exit status ${status}; printed:\n${out}${err}\nexpected (${EXPECTED}):\n${expected}")
endif()
