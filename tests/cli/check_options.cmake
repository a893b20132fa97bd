# Both programs answer --help and --version with status 0; kelmora needs no
# display for them.  kelmora-script's hand-made parser is checked further:
# unknown options, "--", and more than one file.
function(expect what actual wanted)
  if(NOT "${actual}" STREQUAL "${wanted}")
    message(FATAL_ERROR "${what}: got [${actual}], wanted [${wanted}]")
  endif()
endfunction()

function(expect_contains what text)
  foreach(part IN LISTS ARGN)
    string(FIND "${text}" "${part}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${what}: [${part}] missing from:\n${text}")
    endif()
  endforeach()
endfunction()

# ---- kelmora-script ----
execute_process(COMMAND ${SCRIPT} --version RESULT_VARIABLE rc OUTPUT_VARIABLE out)
expect("script --version status" "${rc}" "0")
expect_contains("script --version" "${out}" "kelmora-script ${VERSION}\n" "\nLicense: MIT ")
string(FIND "${out}" "kelmora-script ${VERSION}\n" at)
expect("script --version comes first" "${at}" "0")

foreach(option --help -h)
  execute_process(COMMAND ${SCRIPT} ${option} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  expect("script ${option} status" "${rc}" "0")
  expect("script ${option} stderr" "${err}" "")
  expect_contains("script ${option}" "${out}"
    "usage: kelmora-script [FILE]"
    "  keyword TEXT " "  menu A > B > C " "  open FormN " "  set FormN.Control TEXT "
    "  click FormN.Control " "  surface FormN " "  text FormN.Control " "  state FormN "
    "  complete TEXT " "  table FormN " "  controls FormN "
    "\n  0  " "\n  2  " "\n  3  ")
endforeach()

execute_process(COMMAND ${SCRIPT} --bogus RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("unknown option status" "${rc}" "2")
expect("unknown option stdout" "${out}" "")
expect_contains("unknown option message" "${err}" "unknown option --bogus" "usage: kelmora-script")

execute_process(COMMAND ${SCRIPT} ${DIR}/good.txt ${DIR}/good.txt RESULT_VARIABLE rc OUTPUT_VARIABLE out)
expect("two files status" "${rc}" "2")
expect("two files play nothing" "${out}" "")

# After "--" a name that looks like an option is a file; here a missing one.
execute_process(COMMAND ${SCRIPT} -- --help RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
expect("-- status" "${rc}" "2")
expect_contains("-- message" "${err}" "cannot read --help")

execute_process(COMMAND ${SCRIPT} -- ${DIR}/good.txt RESULT_VARIABLE rc OUTPUT_VARIABLE out)
expect("-- FILE status" "${rc}" "0")
expect("-- FILE transcript" "${out}" "show Form2\n")

# ---- kelmora ----
if(APP)
  # No display at all: neither an X server nor a platform chosen.
  set(ENV{DISPLAY} "")
  set(ENV{WAYLAND_DISPLAY} "")
  set(ENV{QT_QPA_PLATFORM} "")

  foreach(option --version -v)
    execute_process(COMMAND ${APP} ${option} RESULT_VARIABLE rc OUTPUT_VARIABLE out)
    expect("kelmora ${option} status" "${rc}" "0")
    string(FIND "${out}" "Kelmora ${VERSION}\n" at)
    expect("kelmora ${option} comes first" "${at}" "0")
    expect_contains("kelmora ${option}" "${out}" "\nLicense: MIT ")
  endforeach()

  # Whatever the system's language, the help is in the program's: Qt's own
  # words for it come from Qt's Chinese (qtbase_zh_CN), loaded as the program
  # starts.
  set(ENV{LANG} "C")
  set(ENV{LC_ALL} "C")
  set(ENV{LANGUAGE} "")
  execute_process(COMMAND ${APP} --help RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  expect("kelmora --help status" "${rc}" "0")
  expect_contains("kelmora --help" "${out}" "-h, --help" "--help-all" "-v, --version"
    "用法：" "选项：" "显示版本信息。" "按中国会计制度计算经济业务的会计分录。")
  foreach(english "Usage:" "Options:" "Displays")
    string(FIND "${out}" "${english}" at)
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "kelmora --help: Qt's words in English ([${english}]):\n${out}")
    endif()
  endforeach()

  # Qt's own options stay in the program's hands ...
  execute_process(COMMAND ${APP} --help-all RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  expect("kelmora --help-all status" "${rc}" "0")
  expect_contains("kelmora --help-all" "${out}" "--platform" "--reverse")
  execute_process(COMMAND ${APP} -platform offscreen -reverse --version RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  expect("kelmora with Qt options status" "${rc}" "0")
  string(FIND "${out}" "Kelmora ${VERSION}\n" at)
  expect("kelmora with Qt options" "${at}" "0")

  # With no display, an unknown option is refused as ever, and a plain start
  # says in one line why no window can open; neither aborts.
  foreach(args "--bogus" "" "-platform;xcb")
    execute_process(COMMAND ${APP} ${args} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    expect("kelmora [${args}] without a display: status" "${rc}" "1")
  endforeach()
  execute_process(COMMAND ${APP} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  expect("kelmora without a display: stdout" "${out}" "")
  expect_contains("kelmora without a display: message" "${err}" "kelmora: " "DISPLAY")
  string(REGEX MATCHALL "\n" breaks "${err}")
  list(LENGTH breaks lines)
  expect("kelmora without a display: lines on stderr" "${lines}" "1")
  execute_process(COMMAND ${APP} --bogus RESULT_VARIABLE rc ERROR_VARIABLE err)
  expect_contains("kelmora --bogus without a display: message" "${err}" "bogus")

  # ... while anything else is refused before a window opens.
  execute_process(COMMAND ${APP} -platform offscreen --bogus RESULT_VARIABLE rc OUTPUT_VARIABLE out)
  expect("kelmora unknown option status" "${rc}" "1")
  execute_process(COMMAND ${APP} -platform offscreen extra RESULT_VARIABLE rc ERROR_VARIABLE err)
  expect("kelmora argument status" "${rc}" "1")
  expect_contains("kelmora argument message" "${err}" "extra")
endif()
