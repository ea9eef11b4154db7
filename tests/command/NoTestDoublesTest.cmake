# The presenter carries none of the stand-ins the tests and the scenario runner drive it with: a
# device that answers from a script, profiles held in memory, a screen saver that only records.
#
#   cmake -DQUORIX=<program> -P NoTestDoublesTest.cmake

cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND nm -C "${QUORIX}" OUTPUT_VARIABLE symbols RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "nm could not read ${QUORIX}")
endif()
foreach(double IN ITEMS ScriptedMciDevice MemoryProfileReader RecordingScreenSaverInhibitor)
    string(FIND "${symbols}" "${double}" found)
    if(NOT found EQUAL -1)
        message(SEND_ERROR "quorix links ${double}")
    endif()
endforeach()
