#!/usr/bin/env bash
# Runs atspi_test.py against PROGRAM in a D-Bus session of its own (with its
# own accessibility bus, started on demand).  Exit status 77 (skipped) where
# a tool the test needs is not installed; scripts/setup.sh installs them.
set -u
program=$1
here=$(cd "$(dirname "$0")" && pwd)
skip() {
  echo "SKIPPED: $*"
  exit 77
}
command -v Xvfb >/dev/null || skip "Xvfb is missing (xvfb)"
command -v dbus-run-session >/dev/null || skip "dbus-run-session is missing (dbus-daemon)"
[ -x /usr/libexec/at-spi-bus-launcher ] || [ -x /usr/lib/at-spi2-core/at-spi-bus-launcher ] ||
  skip "the accessibility bus is missing (at-spi2-core)"
python=
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import gi; gi.require_version("Atspi", "2.0"); from gi.repository import Atspi' 2>/dev/null; then
    python=$candidate
    break
  fi
done
[ -n "$python" ] || skip "python3 with the AT-SPI library is missing (python3-gi, gir1.2-atspi-2.0)"
exec dbus-run-session -- timeout 100 "$python" "$here/atspi_test.py" "$program"
