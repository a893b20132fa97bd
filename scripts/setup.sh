#!/usr/bin/env bash
# Installs what building and testing Kelmora needs on Debian, if missing.
set -euo pipefail
# The checked build and the fuzz targets: clang, with its sanitizer and
# libFuzzer runtimes.
checked_build=(clang libclang-rt-dev)

packages=(build-essential cmake qt6-base-dev libgtest-dev fonts-wqy-microhei xvfb xauth locales
  qt6-translations-l10n desktop-file-utils appstream file libsqlite3-dev poppler-utils man-db ccache
  at-spi2-core dbus python3-gi gir1.2-atspi-2.0)
missing=()
for p in "${packages[@]}" "${checked_build[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A locale whose decimal separator is a comma, so the tests can show that
# numbers are read and printed the same under it.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  as_root sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  as_root locale-gen >/dev/null
fi
