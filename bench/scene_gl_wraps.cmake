# Writes the linker options that wrap each GL or GLU function the scene's
# objects call (GNU ld's --wrap), one a line, for the benchmark's link to read.
# Taken from the objects rather than written down, so that a function the
# scene starts calling is wrapped too and the link asks for its forwarder.
execute_process(COMMAND ${NM} -u ${OBJECTS} OUTPUT_VARIABLE undefined RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm failed on ${OBJECTS}")
endif()
string(REGEX MATCHALL "U glu?[A-Z][A-Za-z0-9_]*" calls "${undefined}")
if(NOT calls)
    message(FATAL_ERROR "No GL call found in the scene's objects: ${OBJECTS}")
endif()
list(TRANSFORM calls REPLACE "^U " "--wrap=")
list(REMOVE_DUPLICATES calls)
list(SORT calls)
list(JOIN calls "\n" options)
file(WRITE ${OUTPUT} "${options}\n")
