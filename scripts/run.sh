#!/usr/bin/env bash
# Builds and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kelmora kelmora-script -j"$(nproc)"
exec build/kelmora
