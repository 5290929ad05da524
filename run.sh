#!/usr/bin/env bash
# Builds the program (Release, build/release) and starts it. Installs the Debian packages
# it needs first, if any is missing.
#
# test.sh and bench/run.sh source this file for ensure_packages; sourcing runs nothing.

# What building and running the program needs. qt6-base-dev brings qt6-qpa-plugins and
# libqt6gui6, which holds the xcb platform plugin and pulls in the X client libraries.
# libcanberra-dev plays the end-of-run beep through the desktop's sound server, reached
# through libcanberra-pulse (PipeWire desktops serve it too), from the freedesktop sound theme.
SHIYA_RUN_PACKAGES=(build-essential cmake qt6-base-dev qt6-qpa-plugins libfontconfig-dev
    fonts-ipafont-gothic libcanberra-dev libcanberra-pulse sound-theme-freedesktop)

# ensure_packages <package>...: installs those of the packages that are not installed yet,
# with apt-get (through sudo when not root). Does nothing, not even an update, when all are
# there.
ensure_packages() {
    local missing=() package
    for package in "$@"; do
        if [[ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]]; then
            missing+=("$package")
        fi
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    echo "Installing missing packages: ${missing[*]}" >&2
    local sudo=()
    if ((EUID != 0)); then
        if ! command -v sudo >/dev/null; then
            echo "error: need root or sudo to install: ${missing[*]}" >&2
            return 1
        fi
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

shiya_run_main() {
    set -euo pipefail
    cd "$(dirname "${BASH_SOURCE[0]}")"
    ensure_packages "${SHIYA_RUN_PACKAGES[@]}"
    cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DSHIYA_BENCH=OFF
    cmake --build build/release --target shiyakensa -j2
    exec build/release/src/shiyakensa
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    shiya_run_main "$@"
fi
