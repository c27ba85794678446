# Runs one GoogleTest executable for CTest and passes only when the run reached
# its end: a process that exits early with status 0 leaves no result file.
#   cmake -DPROGRAM=exe -DEMULATOR=a|b -DRESULT=name.xml -P run-gtest.cmake
string(REPLACE "|" ";" emulator "${EMULATOR}")
file(REMOVE "${RESULT}")
execute_process(COMMAND ${emulator} "${PROGRAM}" --gtest_output=xml:${RESULT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} exited with ${status}")
endif()
if(NOT EXISTS "${RESULT}")
    message(FATAL_ERROR "${PROGRAM} exited with 0 before its last test: no result file ${RESULT}")
endif()
file(READ "${RESULT}" xml LIMIT 4096)
if(NOT xml MATCHES "<testsuites tests=\"[1-9][0-9]*\" failures=\"0\" disabled=\"[0-9]+\" errors=\"0\"")
    message(FATAL_ERROR "${PROGRAM}: the result file ${RESULT} reports failures or no tests")
endif()
