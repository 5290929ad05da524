#!/usr/bin/env bash
# run-under-x.sh <command> [args...]
#
# Runs a command on a virtual X server of its own (Xvfb, 1280x1024, 24 bits unless
# SHIYA_XVFB_SCREEN says otherwise, e.g. 1600x1200x24; through xvfb-run -a so that several
# can run at once) with openbox as the window manager, and
# with the monitors SHIYA_XVFB_MONITORS lists (xrandr --setmonitor arguments, separated by
# commas, e.g. "A 1280/338x1024/270+0+0 screen,B 1280/338x1024/270+1280+0 none"), and
# exits with the command's exit status. Openbox is up and managing the screen before the
# command starts; the command, openbox and the X server are all gone when this ends, also
# when it is interrupted or terminated.
set -u

if [[ "${1:-}" != --inside-x ]]; then
    if (($# == 0)); then
        echo "usage: $0 <command> [args...]" >&2
        exit 2
    fi
    # A busy machine now and then fails to bring a server up; a new one usually works.
    # The X server's messages, to show should it not come up; the inner part empties
    # SHIYA_X_PENDING once the server and openbox are up and the command starts.
    SHIYA_XVFB_LOG=$(mktemp -t shiya-xvfb.XXXXXX)
    SHIYA_X_PENDING=$(mktemp -t shiya-xpending.XXXXXX)
    export SHIYA_XVFB_LOG SHIYA_X_PENDING
    trap 'rm -f "$SHIYA_XVFB_LOG" "$SHIYA_X_PENDING"' EXIT
    for attempt in 1 2 3; do
        echo pending >"$SHIYA_X_PENDING"
        : >"$SHIYA_XVFB_LOG"
        # -noreset: by default the server resets whenever its last client leaves, and a
        # client that connects meanwhile is turned away.
        xvfb-run -a -e "$SHIYA_XVFB_LOG" -s "-screen 0 ${SHIYA_XVFB_SCREEN:-1280x1024x24} -noreset" \
            "$0" --inside-x "$@"
        status=$?
        if [[ ! -s "$SHIYA_X_PENDING" ]]; then
            exit "$status"
        fi
        echo "run-under-x: no usable X server or window manager (attempt $attempt)" >&2
        cat "$SHIYA_XVFB_LOG" >&2
    done
    exit 1
fi
shift

# shellcheck source=support/processes.sh
source "$(dirname "${BASH_SOURCE[0]}")/support/processes.sh"
scratch_dir scratch x || exit 1
# Qt wants a private runtime directory; an own one also keeps runs apart.
export XDG_RUNTIME_DIR=$scratch
export QT_QPA_PLATFORM=xcb
wm_pid=

setup_failed() {
    echo "run-under-x: $1 (display $DISPLAY)" >&2
    cat "$scratch/openbox.log" >&2 2>/dev/null
    exit 1
}

wm_is_up() {
    kill -0 "$wm_pid" 2>/dev/null || return 0 # gone: stop waiting, the check below tells
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

desktops() {
    xprop -root -notype _NET_NUMBER_OF_DESKTOPS 2>/dev/null | sed -n 's/.*= *\([0-9]*\)$/\1/p'
}

desktops_known() {
    [[ -n "$(desktops)" ]]
}

# have_desktops <n>: asks the window manager for n desktops unless it has them; whether it
# has them a moment later.
have_desktops() {
    [[ "$(desktops)" == "$1" ]] && return 0
    wmctrl -n "$1"
    sleep 0.05
    [[ "$(desktops)" == "$1" ]]
}

wait_for 20 xprop -root _NET_SUPPORTED || setup_failed "the X server does not answer"

IFS=, read -ra monitors <<<"${SHIYA_XVFB_MONITORS:-}"
for monitor in "${monitors[@]}"; do
    # shellcheck disable=SC2086 # the monitor's arguments
    xrandr --setmonitor $monitor >/dev/null || setup_failed "no monitor $monitor"
done

openbox --sm-disable >"$scratch/openbox.log" 2>&1 &
started
wm_pid=$!
wait_for 20 wm_is_up || setup_failed "openbox did not take over the screen in time"
kill -0 "$wm_pid" 2>/dev/null || setup_failed "openbox did not start"
# Openbox announces itself before it has finished starting; a request that comes meanwhile
# may be dropped, and a window mapped meanwhile may never be reported exposed to its
# program. Once openbox has answered a request (one more desktop, then the number it had)
# it runs its event loop.
wait_for 20 desktops_known || setup_failed "openbox does not announce its desktops"
desktops=$(desktops)
wait_for 20 have_desktops $((desktops + 1)) && wait_for 20 have_desktops "$desktops" \
    || setup_failed "openbox does not answer"

: >"${SHIYA_X_PENDING:-/dev/null}"
run_command "$@"
