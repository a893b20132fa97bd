# kelmora-script as a program: reading a file, standard input, exit status.
function(expect what actual wanted)
  if(NOT "${actual}" STREQUAL "${wanted}")
    message(FATAL_ERROR "${what}: got [${actual}], wanted [${wanted}]")
  endif()
endfunction()

execute_process(COMMAND ${SCRIPT} ${DIR}/no-such-file.txt RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("unreadable file status" "${rc}" "2")
if(NOT err MATCHES "no-such-file.txt")
  message(FATAL_ERROR "message does not name the file: ${err}")
endif()

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
if(NOT err MATCHES "cannot write the transcript")
  message(FATAL_ERROR "full disk not reported: ${err}")
endif()

# A reader that stops early: more transcript than a pipe holds, read by a
# program that reads nothing, so the runner meets the closed pipe for sure.
string(REPEAT "state Form2\n" 20000 many)
file(WRITE ${WORK}/many-lines.txt "${many}")
execute_process(COMMAND ${SCRIPT} ${WORK}/many-lines.txt COMMAND ${CMAKE_COMMAND} -E true
                RESULTS_VARIABLE rcs ERROR_VARIABLE err)
list(GET rcs 0 rc)
expect("closed pipe status" "${rc}" "3")
if(NOT err MATCHES "cannot write the transcript")
  message(FATAL_ERROR "closed pipe not reported: ${err}")
endif()
message(STATUS "kelmora-script checks: 7 passed, 0 failed")
