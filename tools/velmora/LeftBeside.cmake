# Fails, naming `context`, when `folder` holds other than `expected` entries: a writer left its
# temporary file beside the output.
function(expect_entries folder expected context)
    file(GLOB left ${folder}/*)
    list(LENGTH left count)
    if(NOT count EQUAL expected)
        message(FATAL_ERROR "${context}files left beside the output: ${left}")
    endif()
endfunction()
