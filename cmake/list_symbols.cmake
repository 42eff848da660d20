# Writes the symbols a library defines, demangled, one a line with its
# section as nm's System V format gives them, for the test that the process
# state's reset covers every global.
#   cmake -DNM=<nm> -DLIBRARY=<library> -DOUTPUT=<file> -P list_symbols.cmake
execute_process(COMMAND ${NM} -C --defined-only --format=sysv ${LIBRARY} OUTPUT_FILE ${OUTPUT} COMMAND_ERROR_IS_FATAL ANY)
