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
message(STATUS "kelmora-script checks: 4 passed, 0 failed")
