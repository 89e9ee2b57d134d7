#!/bin/sh
# Runs a test program under the Orca screen reader, on the X server of DISPLAY and in a private
# D-Bus session (run it as: xvfb-run -a dbus-run-session -- sh with_orca.sh <program> [args]).
# Orca runs with a fresh home and runtime folder of its own (no speech server is needed: the
# log records what would be spoken), and writes its debug log, whose path the program gets
# in VESTRANO_ORCA_LOG; a window manager (openbox) runs too where it is installed.
work=$(mktemp -d)
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
launcher=$!
wm=
if command -v openbox >/dev/null 2>&1; then
    openbox >/dev/null 2>&1 &
    wm=$!
fi
# Orca writes its log through a buffer; the program reads it as Orca goes, so the log file alone
# is opened line-buffered (Python imports sitecustomize from the path at start).
mkdir -p "$work/python"
cat >"$work/python/sitecustomize.py" <<PYTHON
import builtins
_open = builtins.open
def _line_buffered(file, mode="r", buffering=-1, *args, **kwargs):
    if file == "$work/orca.log" and "w" in mode:
        buffering = 1
    return _open(file, mode, buffering, *args, **kwargs)
builtins.open = _line_buffered
PYTHON
PYTHONPATH="$work/python" orca --replace --debug-file="$work/orca.log" >"$work/orca.out" 2>&1 &
orca=$!
# Orca is ready once it has said that it is on.
for i in $(seq 100); do
    grep -q "SPEECH OUTPUT" "$work/orca.log" 2>/dev/null && break
    sleep 0.2
done
VESTRANO_ORCA_LOG="$work/orca.log" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
status=$?
kill "$orca" $wm "$launcher" 2>/dev/null
if [ -n "$VESTRANO_KEEP_ORCA_LOG" ]; then
    cp "$work/orca.log" "$VESTRANO_KEEP_ORCA_LOG"
fi
rm -rf "$work"
exit $status
