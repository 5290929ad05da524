#!/usr/bin/env bash
# with-sound-server.sh <command> [args...]
#
# Runs a command next to a PulseAudio of its own whose only output is a null sink, and
# records all that is played into it, from before the command starts to its end: mono
# 16-bit samples at 22050 Hz, in real time also while nothing plays, into the file
# $SHIYA_SOUND_RECORDING. The command (and what it starts) finds the server through
# PULSE_SERVER. PulseAudio refuses to run as root, so it runs as nobody.
set -u

# shellcheck source=processes.sh
source "$(dirname "${BASH_SOURCE[0]}")/processes.sh"
scratch_dir dir sound && chown 65534:65534 "$dir" && chmod 711 "$dir" || exit 1
export PULSE_SERVER=unix:$dir/native SHIYA_SOUND_RECORDING=$dir/recording

# fail <what>: says what went wrong, with the server's messages, and ends.
fail() {
    echo "with-sound-server: $1" >&2
    cat "$dir/server.log" >&2
    exit 1
}

env -i HOME="$dir" XDG_RUNTIME_DIR="$dir" setpriv --reuid=65534 --regid=65534 --clear-groups \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
    -L "module-null-sink sink_name=out" >"$dir/server.log" 2>&1 &
started
wait_for 30 pactl info || fail "PulseAudio does not answer"
parec --device=out.monitor --latency-msec=20 --raw --format=s16le --channels=1 --rate=22050 \
    >"$SHIYA_SOUND_RECORDING" &
started
wait_for 30 test -s "$SHIYA_SOUND_RECORDING" || fail "nothing is recorded"

run_command "$@"
