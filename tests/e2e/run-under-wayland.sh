#!/usr/bin/env bash
# run-under-wayland.sh <command> [args...]
#
# Runs a command on a headless Wayland compositor of its own (sway, one output of 1280x1024
# drawn in memory, no input devices until a client creates virtual ones) and exits with the
# command's exit status. The command finds the compositor through WAYLAND_DISPLAY (an
# absolute path) and SWAYSOCK; it gets a private XDG_RUNTIME_DIR of its own. The compositor
# is gone when this ends, also when it is interrupted or terminated.
#
# sway refuses to run as root: as root it runs under the unprivileged uid 65534 (which
# needs no user created), in a runtime directory owned by that uid. Root, the command's
# user, may still connect to its sockets.
set -u

if (($# == 0)); then
    echo "usage: $0 <command> [args...]" >&2
    exit 2
fi

# shellcheck source=support/processes.sh
source "$(dirname "${BASH_SOURCE[0]}")/support/processes.sh"
scratch_dir compositor_dir sway && scratch_dir client_dir wlclient || exit 1

setup_failed() {
    echo "run-under-wayland: $1" >&2
    cat "$compositor_dir/sway.log" >&2 2>/dev/null
    exit 1
}

# No bar, no wallpaper, no X server: a tiled window takes the whole output.
cat >"$compositor_dir/config" <<'CONFIG'
output * resolution 1280x1024 position 0 0 scale 1
default_border none
xwayland disable
CONFIG

run_as_compositor=()
if ((EUID == 0)); then
    chown -R 65534:65534 "$compositor_dir"
    run_as_compositor=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
env -u WAYLAND_DISPLAY -u DISPLAY -u SWAYSOCK XDG_RUNTIME_DIR="$compositor_dir" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    "${run_as_compositor[@]}" sway --config "$compositor_dir/config" \
    >"$compositor_dir/sway.log" 2>&1 &
started

sockets_are_up() {
    compgen -G "$compositor_dir/wayland-[0-9]" && compgen -G "$compositor_dir/sway-ipc.*.sock"
}
wait_for 20 sockets_are_up || setup_failed "sway did not open its sockets"
WAYLAND_DISPLAY=$(compgen -G "$compositor_dir/wayland-[0-9]" | head -n 1)
SWAYSOCK=$(compgen -G "$compositor_dir/sway-ipc.*.sock" | head -n 1)
export WAYLAND_DISPLAY SWAYSOCK XDG_RUNTIME_DIR=$client_dir
unset DISPLAY
wait_for 20 swaymsg -t get_outputs || setup_failed "sway does not answer"

run_command "$@"
