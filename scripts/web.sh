#!/usr/bin/env bash
# Kelmora in a browser.
#
#   bash scripts/web.sh [serve]   install what is missing, build, serve on http://127.0.0.1:8000/
#   bash scripts/web.sh build     install what is missing, build into build-web/
#   bash scripts/web.sh test      build, then run the web edition's tests
#   bash scripts/web.sh bench     build, then measure the page in headless Chromium
#
# The site lands in build-web/site/ (copy that folder to any static host), the
# node runner in build-web/kelmora-script.js.  KELMORA_WEB_PORT changes the
# port of `serve`.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build-web"
mode="${1:-serve}"
jobs="${KELMORA_WEB_JOBS:-2}"

case "$mode" in
  serve|build|test|bench) ;;
  *) echo "usage: bash scripts/web.sh [serve|build|test|bench]" >&2; exit 2 ;;
esac

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Debian's packages: emscripten and what builds with it, node for the runner
# and the tests, chromium for the browser tests and the benchmark, Firefox ESR
# and WebKitGTK's driver (with its MiniBrowser, on Xvfb) for the main path in
# the other engines.
install_missing() {
  local want=(emscripten cmake ninja-build googletest python3)
  case "$mode" in
    test) want+=(chromium firefox-esr webkit2gtk-driver xvfb) ;;
    bench) want+=(chromium) ;;
  esac
  command -v node >/dev/null 2>&1 || want+=(nodejs)
  # npm brings SQLite's source for the build, and the test tools.
  command -v npm >/dev/null 2>&1 || want+=(npm)
  local missing=()
  for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "installing: ${missing[*]}"
    # apt may be busy with another install: wait for it.
    local tries=0
    until as_root apt-get update -q && as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -q "${missing[@]}"; do
      tries=$((tries + 1))
      [ "$tries" -lt 30 ] || { echo "apt-get failed" >&2; exit 1; }
      sleep 10
    done
  fi
}

# The test tools from npm, at the versions the lock file pins.
install_npm() {
  local dir="$root/tests/web"
  if [ ! -d "$dir/node_modules/puppeteer-core" ] || [ "$dir/package-lock.json" -nt "$dir/node_modules/.package-lock.json" ]; then
    (cd "$dir" && npm ci --no-audit --no-fund --loglevel=error)
  fi
}

# SQLite's amalgamation, from the npm package src/web/sqlite/package-lock.json
# pins; its install scripts are not run (nothing of it is built or fetched).
install_sqlite() {
  local dir="$root/src/web/sqlite"
  if [ ! -f "$dir/node_modules/better-sqlite3/deps/sqlite3/sqlite3.c" ] || [ "$dir/package-lock.json" -nt "$dir/node_modules/.package-lock.json" ]; then
    (cd "$dir" && npm ci --ignore-scripts --no-audit --no-fund --loglevel=error)
  fi
}

build() {
  install_sqlite
  # Debian's emscripten runs its JS optimizer with node, which looks for
  # Debian's acorn here.
  export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
  if command -v ccache >/dev/null 2>&1; then export EM_COMPILER_WRAPPER="${EM_COMPILER_WRAPPER:-ccache}"; fi
  local obj="$out/obj"
  if [ ! -f "$obj/build.ninja" ]; then
    emcmake cmake -S "$root/src/web" -B "$obj" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  # The number tables only for the tests.
  local targets=(kelmora kelmora-book kelmora-script)
  [ "$mode" = test ] && targets+=(num_tests)
  cmake --build "$obj" -j "$jobs" --target "${targets[@]}"

  # The site: the page, the model, the icon.
  local site="$out/site"
  rm -rf "$site"
  mkdir -p "$site"
  cp "$root/web/index.html" "$root/web/style.css" "$root/web/practice.css" "$root/web/manifest.webmanifest" "$site/"
  # One script: the model's loader, then the page's (the workbook's part
  # first, the practice view's last), run as soon as it arrives so that the
  # model compiles while the page is read.
  cat "$obj/kelmora.js" "$root/web/book.js" "$root/web/app.js" "$root/web/practice.js" >"$site/kelmora.js"
  cp "$obj/kelmora.wasm" "$site/"
  # The workbook's style, and SQLite with the model, loaded when first used.
  cp "$root/web/book.css" "$obj/kelmora-book.js" "$obj/kelmora-book.wasm" "$site/"
  cp "$root/data/io.github.kelmora.Kelmora.svg" "$site/icon.svg"
  cp "$root/data/icons/256.png" "$site/icon-256.png"
  # The service worker keeps the files of this build: their digest names its cache.
  local version
  version="$(cd "$site" && cat index.html style.css practice.css kelmora.js kelmora.wasm book.css kelmora-book.js kelmora-book.wasm icon.svg icon-256.png manifest.webmanifest | sha256sum | cut -c1-16)"
  sed "s/@VERSION@/$version/" "$root/web/sw.js" >"$site/sw.js"
  # The page puts the model it downloads into the same cache.
  sed -i "s/@VERSION@/$version/" "$site/kelmora.js"

  # The node runner and the number tables, beside the site.
  cp "$obj/kelmora-script.js" "$obj/kelmora-script.wasm" "$out/"
  if [ -f "$obj/num_tests.js" ]; then cp "$obj/num_tests.js" "$obj/num_tests.wasm" "$out/"; fi
  printf '#!/bin/sh\nexec node "$(dirname "$0")/kelmora-script.js" "$@"\n' >"$out/kelmora-script"
  chmod +x "$out/kelmora-script"
  echo "site: $site ($(du -sk "$site" | cut -f1) KB)"
}

install_missing
case "$mode" in
  build) build ;;
  serve)
    build
    exec node "$root/scripts/web-serve.mjs" "$out/site" "${KELMORA_WEB_PORT:-8000}"
    ;;
  test)
    build
    install_npm
    exec node "$root/tests/web/run.mjs"
    ;;
  bench)
    build
    install_npm
    exec node "$root/tests/web/bench.mjs"
    ;;
esac
