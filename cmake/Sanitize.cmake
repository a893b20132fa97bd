# Checked builds: KELMORA_SANITIZE builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, so a stray read, a leak or an undefined step in
# any window stops the test that reaches it.  KELMORA_FUZZ (clang only) adds
# the libFuzzer targets of tests/fuzz on top of the same checks.
#
# Included before any target is defined, so that every target gets the flags.

option(KELMORA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(KELMORA_FUZZ "Build the libFuzzer targets (clang; implies KELMORA_SANITIZE)" OFF)

if(KELMORA_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KELMORA_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++)")
  endif()
  set(KELMORA_SANITIZE ON)
endif()

if(KELMORA_SANITIZE)
  # No recovery: an undefined step ends the process with a report instead of
  # a line in a log nobody reads.
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

if(KELMORA_FUZZ)
  # Coverage for the fuzzer over the whole program; the libFuzzer runtime
  # itself is linked into the fuzz targets only, so the tests keep their own
  # main().
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_subdirectory(tests/fuzz)
endif()
