#!/bin/sh
# Runs a test program under a window manager on the X server of DISPLAY:
# under_wm.sh <window manager> <test program> [arguments...]
wm=$1
shift
"$wm" >/dev/null 2>&1 &
wm_pid=$!
# The window manager is up once it has claimed the screen's manager selection.
for i in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
    sleep 0.1
done
"$@"
status=$?
kill "$wm_pid" 2>/dev/null
exit $status
