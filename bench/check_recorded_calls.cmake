# Fails when the recorded copy of the scene code calls a GL or GLU function
# directly, past the recorder: such a call would be missing from the replay.
execute_process(COMMAND ${NM} -u ${OBJECTS} OUTPUT_VARIABLE undefined RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm failed on ${OBJECTS}")
endif()
string(REGEX MATCHALL "U gl[A-Za-z0-9_]*" direct "${undefined}")
if(direct)
    message(FATAL_ERROR "The recorded scene calls GL past the recorder: ${direct}")
endif()
file(TOUCH ${STAMP})
