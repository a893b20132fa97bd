# kelmora-script --grade over three answers files made by hand (one right,
# one with a wrong side and a wrong amount and a comment claiming a score,
# written with a byte-order mark and CRLF, one with a missing and an extra
# line and an exercise not done): the gradebook must be expected.csv byte for
# byte, worked out by hand.  Then a file that cannot be read and a line that
# is not an answers line: status 2, each named on standard error.
execute_process(COMMAND ${SCRIPT} --grade ${DIR}/001.txt ${DIR}/002.txt ${DIR}/003.txt
                OUTPUT_FILE ${WORK}/gradebook.csv ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT err STREQUAL "")
  message(FATAL_ERROR "--grade: status ${status}, messages: ${err}")
endif()
file(READ ${WORK}/gradebook.csv got HEX)
file(READ ${DIR}/expected.csv want HEX)
if(NOT got STREQUAL want)
  file(READ ${WORK}/gradebook.csv shown)
  message(FATAL_ERROR "the gradebook differs from expected.csv:\n${shown}")
endif()

file(WRITE ${WORK}/bad-answers.txt "exercise Form10 A/004/1\nanswer 1 借 生产成本 abc\nsurface Form10\n")
execute_process(COMMAND ${SCRIPT} --grade ${WORK}/bad-answers.txt ${WORK}/no-such-file.txt
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
set(want_err "${WORK}/bad-answers.txt: line 2: not an amount: abc\n${WORK}/bad-answers.txt: line 3: not a line of an answers file: surface\nkelmora-script: cannot read ${WORK}/no-such-file.txt\n")
if(NOT status EQUAL 2 OR NOT err STREQUAL want_err)
  message(FATAL_ERROR "bad files: status ${status}, messages:\n${err}\nwanted:\n${want_err}")
endif()
string(FIND "${out}" "A,004,0,0" row)
if(row EQUAL -1)
  message(FATAL_ERROR "bad files: the readable one gets its row all the same:\n${out}")
endif()
