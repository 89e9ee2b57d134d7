#!/bin/sh
# Runs a test program with the accessibility bus of a private D-Bus session, so that Qt's
# accessibility bridge is up as under a screen reader: with_atspi.sh <test program> [arguments]
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] ||
    { echo "FAIL: $launcher is missing (at-spi2-core, installed by make test)"; exit 1; }
"$launcher" --launch-immediately >/dev/null 2>&1 &
launcher=$!
sleep 1
"$@"
status=$?
kill "$launcher" 2>/dev/null
exit $status
