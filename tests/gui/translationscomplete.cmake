# cmake -DLUPDATE=PROGRAM -DSOURCES=FOLDER -DINCLUDE=FOLDER -DTS=FILE -DWORK=FOLDER
#       -P translationscomplete.cmake
# Fails when the translation misses a text of the sources, keeps one they no longer have, or has
# one not translated yet: lupdate, run on a copy, would change it.
file(MAKE_DIRECTORY "${WORK}")
set(copy "${WORK}/check.ts")
file(COPY_FILE "${TS}" "${copy}")
execute_process(COMMAND "${LUPDATE}" -silent -no-obsolete -locations none -I "${INCLUDE}" "${SOURCES}"
                        -ts "${copy}"
                RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${status})")
endif()
file(READ "${TS}" before)
file(READ "${copy}" after)
string(REGEX MATCHALL "<message>|<message [^>]*>" messagesBefore "${before}")
string(REGEX MATCHALL "<message>|<message [^>]*>" messagesAfter "${after}")
list(LENGTH messagesBefore countBefore)
list(LENGTH messagesAfter countAfter)
string(REGEX MATCHALL "type=\"(unfinished|vanished|obsolete)\"" open "${after}")
list(LENGTH open openCount)
if(NOT countBefore EQUAL countAfter OR openCount GREATER 0)
    message(FATAL_ERROR "${TS} is not complete: ${countBefore} texts translated, the sources have "
                        "${countAfter}, ${openCount} unfinished. Build the target "
                        "update_translations and translate the new texts.")
endif()
message(STATUS "${countAfter} texts, all translated")
