#!/usr/bin/env bash
# Builds the desktop program, the empty Qt program it is measured against and
# the benchmark, then prints the figures side by side (see README,
# "Performance").  Options go to the benchmark, e.g. --pairs 31.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target kelmora-bench >/dev/null
exec build/kelmora-bench "$@"
