#!/usr/bin/env bash
# with-sound-server.sh <command> [args...]
#
# Runs a command next to a PulseAudio of its own whose only output is a null sink, and
# records all that is played into it, from before the command starts to its end: mono
# 16-bit samples at 22050 Hz, in real time also while nothing plays, into the file
# $SHIYA_SOUND_RECORDING. The command (and what it starts) finds the server through
# PULSE_SERVER. PulseAudio refuses to run as root, so it runs as nobody.
set -u

dir=$(mktemp -d -t shiya-sound.XXXXXX)
chown 65534:65534 "$dir" && chmod 711 "$dir" || exit 1
export PULSE_SERVER=unix:$dir/native SHIYA_SOUND_RECORDING=$dir/recording
pids=()

cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill -TERM "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    rm -rf "$dir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# wait_for <what> <command...>: polls for up to 30 s until the command succeeds.
wait_for() {
    local what=$1 deadline=$((SECONDS + 30))
    shift
    until "$@" >/dev/null 2>&1; do
        if ((SECONDS > deadline)); then
            echo "with-sound-server: $what" >&2
            cat "$dir/server.log" >&2
            exit 1
        fi
        sleep 0.05
    done
}

env -i HOME="$dir" XDG_RUNTIME_DIR="$dir" setpriv --reuid=65534 --regid=65534 --clear-groups \
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$dir/native" \
    -L "module-null-sink sink_name=out" >"$dir/server.log" 2>&1 &
pids+=($!)
wait_for "PulseAudio does not answer" pactl info
parec --device=out.monitor --latency-msec=20 --raw --format=s16le --channels=1 --rate=22050 \
    >"$SHIYA_SOUND_RECORDING" &
pids=($! "${pids[@]}")
wait_for "nothing is recorded" test -s "$SHIYA_SOUND_RECORDING"

"$@" &
pids=($! "${pids[@]}")
wait "${pids[0]}"
