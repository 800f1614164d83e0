# Checks that FILE begins with the eight bytes every PNG file begins with.
file(READ "${FILE}" signature LIMIT 8 HEX)
if(NOT signature STREQUAL "89504e470d0a1a0a")
    message(FATAL_ERROR "${FILE} is not a PNG file (it begins ${signature})")
endif()
