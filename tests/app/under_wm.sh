#!/bin/sh
# Runs a test program under a window manager on the X server of DISPLAY:
# under_wm.sh <window manager> <test program> [arguments...]
wm=$1
shift
case $(basename "$wm") in
openbox)
    # Openbox claims the screen early in its start-up but handles a window mapped before its
    # start-up has ended only much later, if at all on a busy machine; the command it runs
    # once it has started says when it is ready.
    ready=$(mktemp -u "${TMPDIR:-/tmp}/vestrano-wm-ready.XXXXXX")
    "$wm" --startup "touch $ready" >/dev/null 2>&1 &
    wm_pid=$!
    for i in $(seq 200); do
        [ -e "$ready" ] && break
        sleep 0.1
    done
    rm -f "$ready"
    ;;
*)
    "$wm" >/dev/null 2>&1 &
    wm_pid=$!
    # The window manager is up once it has claimed the screen's manager selection.
    for i in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
        sleep 0.1
    done
    ;;
esac
"$@"
status=$?
kill "$wm_pid" 2>/dev/null
exit $status
