# shellcheck shell=bash
# Sourced by the end-to-end wrappers (run-under-x.sh, run-under-wayland.sh,
# with-sound-server.sh): what a wrapper starts and the scratch folders it makes go when it
# ends, also when it is interrupted or terminated.

shiya_pids=()    # the processes started through `started`, stopped newest first
shiya_scratch=() # removed at the end

shiya_cleanup() {
    local i
    for ((i = ${#shiya_pids[@]} - 1; i >= 0; i--)); do
        kill -TERM "${shiya_pids[i]}" 2>/dev/null
        wait "${shiya_pids[i]}" 2>/dev/null
    done
    rm -rf "${shiya_scratch[@]}"
}
trap shiya_cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# scratch_dir <variable> <name>: a new private folder, named in the variable, that goes at
# the end.
scratch_dir() {
    local shiya_made # not the caller's name
    shiya_made=$(mktemp -d -t "shiya-$2.XXXXXX") && chmod 700 "$shiya_made" || return 1
    shiya_scratch+=("$shiya_made")
    printf -v "$1" %s "$shiya_made"
}

# started: the process just started in the background is stopped at the end.
started() {
    shiya_pids+=("$!")
}

# wait_for <seconds> <command...>: polls until the command succeeds; false if it never did
# by then, or as soon as a process started here has gone.
wait_for() {
    local deadline=$((SECONDS + $1)) pid
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS <= deadline)) || return 1
        for pid in "${shiya_pids[@]}"; do
            kill -0 "$pid" 2>/dev/null || return 1
        done
        sleep 0.05
    done
}

# run_command <command...>: runs the command and exits with its status. In the background,
# so that a signal reaches the traps at once rather than after the command has ended.
run_command() {
    "$@" &
    started
    wait "$!"
    local status=$?
    unset 'shiya_pids[-1]'
    exit "$status"
}
