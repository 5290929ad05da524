#!/usr/bin/env bash
# Builds and runs all tests, in three passes:
#   build/test     RelWithDebInfo, warnings as errors: every test (unit and end-to-end);
#   build/asan     AddressSanitizer, LeakSanitizer and UBSan: every test but those labelled
#                  slow;
#   build/windows  the Windows program (win/build.sh, with Qt for Windows built once into a
#                  cache outside the repository) under Wine: the unit tests, and the rows of
#                  the end-to-end tests and the installer's test labelled windows.
# Installs the Debian packages it needs first, if any is missing. Stops at the first pass
# that fails; exits non-zero if anything failed. ccache keeps the compilers' work between
# runs.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
root=$PWD

# shellcheck source=run.sh
source ./run.sh
# The end-to-end tests need an X server (xvfb, xauth for xvfb-run), a window manager and the
# X tools they drive the program with (xdotool, xclip, wmctrl; xprop and xwininfo are in
# x11-utils). The install checks use desktop-file-utils and appstream, build the Debian
# package with dpkg-buildpackage (dpkg-dev, debhelper) and check it with lintian. The beep is
# heard in a PulseAudio of the test's own (pulseaudio, recorded with parec from
# pulseaudio-utils). The Wayland end-to-end test runs the program on a headless sway through
# Qt's Wayland plugin, looks with grim, reads the clipboard with wl-paste (wl-clipboard) and
# builds its pointer client against libwayland-dev (which brings wayland-scanner). The
# format test runs clang-format, and xrandr (x11-xserver-utils) makes the two monitors of
# tst_e2e_clipboard_twoscreens.
ensure_packages "${SHIYA_RUN_PACKAGES[@]}" xvfb xauth openbox xdotool xclip x11-utils wmctrl \
    desktop-file-utils appstream dpkg-dev debhelper lintian pulseaudio pulseaudio-utils \
    qt6-wayland sway grim wl-clipboard libwayland-dev clang-format x11-xserver-utils ccache

jobs=2
cache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
# ccache finds the work of another checkout of the sources too.
export CCACHE_BASEDIR=$root CCACHE_NOHASHDIR=true

echo "== build/test: RelWithDebInfo, warnings as errors"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSHIYA_WERROR=ON -DBUILD_TESTING=ON \
    -DSHIYA_WINDOWS_BUILD="$root/build/windows" "${cache[@]}"
cmake --build build/test -j"$jobs"
(cd build/test && ctest --output-on-failure -j"$jobs" -LE windows)

echo "== build/asan: AddressSanitizer, LeakSanitizer, UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DSHIYA_SANITIZE=ON -DSHIYA_WERROR=ON \
    -DBUILD_TESTING=ON -DSHIYA_BENCH=OFF "${cache[@]}"
cmake --build build/asan -j"$jobs"
# Leaks are only suppressed inside Qt, fontconfig and the X libraries (tests/lsan.supp).
export ASAN_OPTIONS=detect_leaks=1:check_initialization_order=1:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
(cd build/asan && ctest --output-on-failure -j"$jobs" -LE slow)
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS

echo "== build/windows: the Windows program, its packages and its tests under Wine"
# shellcheck source=win/build.sh
source ./win/build.sh
ensure_packages "${SHIYA_WINDOWS_PACKAGES[@]}" wine wine64
ensure_windows_qt
windows_build "$root" "$root/build/windows" -DBUILD_TESTING=ON -DSHIYA_BENCH=OFF
windows_packages "$root" >/dev/null
# Packed again later, they come out the same byte for byte: nothing in them says when.
sums=$(cd build/windows/packages && sha256sum -- *)
windows_packages "$root" >/dev/null
(cd build/windows/packages && sha256sum --quiet -c - <<<"$sums")
(cd build/windows && ctest --output-on-failure -j"$jobs")
(cd build/test && ctest --output-on-failure -j"$jobs" -L windows)
