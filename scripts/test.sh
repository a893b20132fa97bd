#!/usr/bin/env bash
# Builds everything and runs the whole test suite (offscreen Qt, no display);
# then builds it again with AddressSanitizer and UndefinedBehaviorSanitizer
# in build-asan and runs the suite there too; when clang is present, that
# build is made with clang and each fuzz target runs for 40 seconds
# (KELMORA_FUZZ_SECONDS changes how long).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs="$(nproc)"
# Compiled objects are kept between runs (ccache), found again from any
# checkout of the project: paths are taken relative to it.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build -j"$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")
# The web edition: every scenario through the node runner, compared with the
# native runner just built; the number tables under node; the page in
# headless Chromium.
KELMORA_WEB_JOBS="$jobs" KELMORA_NATIVE_SCRIPT="$PWD/build/kelmora-script" bash scripts/web.sh test

# The checked build: a second compiler for free when clang is there.
checked=(-DKELMORA_SANITIZE=ON)
if command -v clang++ >/dev/null; then checked+=(-DCMAKE_CXX_COMPILER=clang++ -DKELMORA_FUZZ=ON); fi
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo "${checked[@]}" "${launcher[@]}" >/dev/null
cmake --build build-asan -j"$jobs"
export UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
(cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")

[ -x build-asan/tests/fuzz/fuzz_script ] || exit 0
# The targets at once on the two cores, 40 seconds each (the two minutes of
# processor time two targets of a minute each took).  What a run finds goes
# to a scratch corpus in build-asan, never among the seeds in tests/fuzz.
targets=(field_text script class_set)
pids=()
for target in "${targets[@]}"; do
  mkdir -p "build-asan/fuzz/$target"
  build-asan/tests/fuzz/fuzz_$target -max_total_time="${KELMORA_FUZZ_SECONDS:-40}" -timeout=10 \
    -dict="tests/fuzz/$target.dict" -artifact_prefix="build-asan/fuzz/$target-" \
    "build-asan/fuzz/$target" "tests/fuzz/corpus/$target" >"build-asan/fuzz/$target.log" 2>&1 &
  pids+=($!)
done
status=0
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  if wait "${pids[$i]}"; then
    echo "fuzz_$target: $(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "build-asan/fuzz/$target.log")"
  else
    status=1
    echo "fuzz_$target FAILED; the end of its log (build-asan/fuzz/$target.log):"
    tail -n 60 "build-asan/fuzz/$target.log"
  fi
done
exit "$status"
