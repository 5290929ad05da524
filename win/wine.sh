#!/usr/bin/env bash
# win/wine.sh <wine folder> <program.exe> [args...]
# win/wine.sh <wine folder> --shell <command> [args...]
#
# Runs a Windows program of the build under Debian's Wine and exits with its status: in a
# Wine prefix of its own, copied afresh from a template that is made once in <wine folder>,
# so that runs side by side (on X servers of their own) do not share a clipboard, a desktop
# or a registry. Qt's and MinGW's DLLs are on the program's path, and Qt's messages go to
# stderr as on Linux.
#
# Wine hands no QT_* variable to a Windows program: WINEQT_<name> reaches it as QT_<name>.
# QT_SCALE_FACTOR stands for Windows' display scaling instead: the prefix's LogPixels is 96
# times it (144 at 1.5, 150 %), as Windows' own setting is. SHIYA_WINE_SHARED=1 runs the
# program in the template itself, whose server stays up for a while between runs, so that
# a start costs no more than a program's start (the benchmarks). With --shell, the command
# runs on this side in the fresh prefix (WINEPREFIX), to run several programs there in turn.
set -euo pipefail

if (($# < 2)); then
    echo "usage: $0 <wine folder> <program.exe> [args...]" >&2
    exit 2
fi
wine_dir=$1
shift
dpi=$(awk -v scale="${QT_SCALE_FACTOR:-1}" 'BEGIN { printf "%d", 96 * scale + 0.5 }')
qt_prefix=$(cd "$(dirname "${BASH_SOURCE[0]}")" && source ./windows-qt.sh && windows_qt_prefix)

export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: the program needs neither. No menu entries on this side for
# the Start-menu entries made in the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEPATH="$qt_prefix/bin;$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)");/usr/x86_64-w64-mingw32/lib"
export WINEQT_FORCE_STDERR_LOGGING=1

# The template of this scale, made under a lock by the first run that needs it.
template=$wine_dir/template-$dpi
mkdir -p "$wine_dir"
(
    flock 9
    if [[ ! -f $template/.ready ]]; then
        rm -rf "$template"
        WINEPREFIX=$template wine wineboot --init >/dev/null 2>&1
        WINEPREFIX=$template wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
            /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
        WINEPREFIX=$template wineserver -w
        touch "$template/.ready"
    fi
) 9>"$wine_dir/template.lock"

if [[ "${SHIYA_WINE_SHARED:-}" == 1 ]]; then
    export WINEPREFIX=$template
    wineserver -p30 2>/dev/null || true # already up from the run before
    exec wine "$@"
fi

# The copy shares the system's DLLs with the template through hard links (no run writes
# them); everything else is its own.
prefix=$(mktemp -d "$wine_dir/run.XXXXXX")
program=
cleanup() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
}
trap cleanup EXIT
system=drive_c/windows
tar -C "$template" --exclude="./$system/system32" --exclude="./$system/winsxs" -cf - . |
    tar -C "$prefix" -xf -
cp -al "$template/$system/system32" "$template/$system/winsxs" "$prefix/$system/"
export WINEPREFIX=$prefix

# In the background, so that a signal reaches the trap at once and ends the program.
trap 'exit 143' TERM
trap 'exit 130' INT
if [[ $1 == --shell ]]; then
    shift
    "$@" &
else
    wine "$@" &
fi
program=$!
wait "$program"
