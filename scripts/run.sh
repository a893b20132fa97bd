#!/usr/bin/env bash
# Builds and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target kelmora kelmora-script kelmora_man_pages -j"$(nproc)"
# Run as installed (into a folder in build), where the program finds its
# printing module.
cmake --install build --prefix "$PWD/build/staged" >/dev/null
exec build/staged/bin/kelmora
