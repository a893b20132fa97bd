# kelmora-script as a program: reading a file, standard input, exit status.
# Every check runs; the summary counts them, and any that failed fail the test.
set_property(GLOBAL PROPERTY checks_passed 0)
set_property(GLOBAL PROPERTY checks_failed 0)
function(tally ok what)
  if(ok)
    get_property(n GLOBAL PROPERTY checks_passed)
    math(EXPR n "${n} + 1")
    set_property(GLOBAL PROPERTY checks_passed ${n})
  else()
    get_property(n GLOBAL PROPERTY checks_failed)
    math(EXPR n "${n} + 1")
    set_property(GLOBAL PROPERTY checks_failed ${n})
    message(SEND_ERROR "${what}")
  endif()
endfunction()

function(expect what actual wanted)
  if("${actual}" STREQUAL "${wanted}")
    tally(TRUE "${what}")
  else()
    tally(FALSE "${what}: got [${actual}], wanted [${wanted}]")
  endif()
endfunction()

function(expect_match what text pattern)
  if("${text}" MATCHES "${pattern}")
    tally(TRUE "${what}")
  else()
    tally(FALSE "${what}: [${pattern}] not in [${text}]")
  endif()
endfunction()

execute_process(COMMAND ${SCRIPT} ${DIR}/no-such-file.txt RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("unreadable file status" "${rc}" "2")
expect_match("unreadable file message names the file" "${err}" "no-such-file.txt")

execute_process(COMMAND ${SCRIPT} ${DIR} RESULT_VARIABLE rc ERROR_VARIABLE err)
expect("directory status" "${rc}" "2")

execute_process(COMMAND ${SCRIPT} ${DIR}/bad-lines.txt RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("bad lines status" "${rc}" "2")
expect("bad lines stderr" "${err}" "line 2: unknown action jump\nline 4: no window Form999\n")
expect("bad lines stdout" "${out}" "show Form2\nstate Form2 visible\n")

execute_process(COMMAND ${SCRIPT} - INPUT_FILE ${DIR}/good.txt RESULT_VARIABLE rc OUTPUT_VARIABLE out)
expect("stdin status" "${rc}" "0")
expect("stdin transcript" "${out}" "show Form2\n")
# A script saved by a Windows editor: byte-order mark and CRLF line ends.
execute_process(COMMAND ${SCRIPT} ${DIR}/bom-crlf.txt RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("byte-order mark status" "${rc}" "0")
expect("byte-order mark stderr" "${err}" "")
expect("byte-order mark transcript" "${out}" "show Form2\nstate Form2 visible\n")

# A transcript that cannot be written is never a success.
execute_process(COMMAND ${SCRIPT} ${DIR}/good.txt OUTPUT_FILE /dev/full RESULT_VARIABLE rc ERROR_VARIABLE err)
expect("full disk status" "${rc}" "3")
expect_match("full disk reported" "${err}" "cannot write the transcript")

# A reader that stops early: more transcript than a pipe holds, read by a
# program that reads nothing, so the runner meets the closed pipe for sure.
string(REPEAT "state Form2\n" 20000 many)
file(WRITE ${WORK}/many-lines.txt "${many}")
execute_process(COMMAND ${SCRIPT} ${WORK}/many-lines.txt COMMAND ${CMAKE_COMMAND} -E true
                RESULTS_VARIABLE rcs ERROR_VARIABLE err)
list(GET rcs 0 rc)
expect("closed pipe status" "${rc}" "3")
expect_match("closed pipe reported" "${err}" "cannot write the transcript")
get_property(passed GLOBAL PROPERTY checks_passed)
get_property(failed GLOBAL PROPERTY checks_failed)
message(STATUS "kelmora-script checks: ${passed} passed, ${failed} failed")
if(failed GREATER 0)
  message(FATAL_ERROR "${failed} of the kelmora-script checks failed")
endif()
