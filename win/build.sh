#!/usr/bin/env bash
# Builds the Windows program (x86_64, build/windows) and its two packages, from Debian's
# packages alone: build/windows/packages/shiyakensa-<version>-windows-x64-setup.exe (a
# per-user installer) and shiyakensa-<version>-windows-x64.zip (the same files, to unpack
# and run). Installs the Debian packages it needs first, if any is missing, and builds Qt
# for Windows once into a cache outside the repository (win/windows-qt.sh).
#
# test.sh sources this file for windows_build and windows_packages; sourcing runs nothing.

# shellcheck source=../run.sh
source "$(dirname "${BASH_SOURCE[0]}")/../run.sh"
# shellcheck source=windows-qt.sh
source "$(dirname "${BASH_SOURCE[0]}")/windows-qt.sh"

# Besides the cross toolchain: the packages the host build of the icon needs, the font the
# program ships, the licences' texts, and the packers.
SHIYA_WINDOWS_PACKAGES=("${SHIYA_RUN_PACKAGES[@]}" "${SHIYA_WINDOWS_QT_PACKAGES[@]}"
    mingw-w64-x86-64-dev nsis zip)

# windows_build <root> <build folder> [cmake options...]: the host build of the icon
# (build/windows-host), then the Windows program in the build folder, tested under Wine
# (win/wine.sh) where its tests are built.
windows_build() {
    local root=$1 build=$2 prefix launcher=()
    shift 2
    prefix=$(windows_qt_prefix)
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$root" -B "$root/build/windows-host" -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_TESTING=OFF -DSHIYA_BENCH=OFF "${launcher[@]}" >/dev/null
    cmake --build "$root/build/windows-host" --target shiya_icons -j"$(nproc)"
    cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DSHIYA_WERROR=ON \
        -DSHIYA_WINDOWS_ICON="$root/build/windows-host/data/icons/icon.ico" "${launcher[@]}" \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$root/win/wine.sh;$build/wine" "$@"
    cmake --build "$build" -j"$(nproc)"
}

# windows_packages <root>: the zip and the installer of what build/windows built. Their
# files carry the time of the last commit, so that two builds of one commit agree.
windows_packages() {
    local root=$1 build=$1/build/windows version app_id epoch name stage
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
    app_id=$(sed -n 's/^SHIYA_APP_ID:[A-Z]*=//p' "$build/CMakeCache.txt")
    epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null ||
        dpkg-parsechangelog -l "$root/debian/changelog" -STimestamp)}
    name=shiyakensa-$version-windows-x64
    stage=$build/stage/$name
    rm -rf "$build/stage" "$build/packages"
    mkdir -p "$build/packages"
    cmake --install "$build" --prefix "$stage" >/dev/null
    # strip stamps each PE header with the time it runs, unless SOURCE_DATE_EPOCH says otherwise.
    find "$stage" -name '*.dll' -o -name '*.exe' |
        SOURCE_DATE_EPOCH=$epoch xargs x86_64-w64-mingw32-strip --strip-unneeded
    find "$stage" -exec touch -h -d "@$epoch" {} +

    (cd "$build/stage" && find "$name" -type f | LC_ALL=C sort |
        TZ=UTC zip -X -9 -q -D "$build/packages/$name.zip" -@)

    # What the uninstaller removes: every file, then every folder from the deepest up.
    local remove=$build/stage/remove.nsh path
    : >"$remove"
    while read -r path; do
        echo "Delete \"\$INSTDIR\\${path//\//\\}\"" >>"$remove"
    done < <(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
    while read -r path; do
        echo "RMDir \"\$INSTDIR\\${path//\//\\}\"" >>"$remove"
    done < <(cd "$stage" && find . -mindepth 1 -type d | sed 's|^\./||' | LC_ALL=C sort -r)
    local copyright
    copyright=$(grep -m1 '^Copyright ' "$root/LICENSE")
    SOURCE_DATE_EPOCH=$epoch makensis -V2 -INPUTCHARSET UTF8 \
        -DVERSION="$version" -DAPP_ID="$app_id" -DSTAGE="$stage" -DREMOVE="$remove" \
        -DSIZE_KB="$(du -sk "$stage" | cut -f1)" \
        -DICON="$root/build/windows-host/data/icons/icon.ico" -DCOPYRIGHT="$copyright" \
        -DOUTFILE="$build/packages/$name-setup.exe" "$root/win/installer.nsi"
    touch -d "@$epoch" "$build/packages/"*
    ls -l "$build/packages"
}

shiya_windows_main() {
    set -euo pipefail
    local root
    root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
    ensure_packages "${SHIYA_WINDOWS_PACKAGES[@]}"
    ensure_windows_qt
    windows_build "$root" "$root/build/windows" -DBUILD_TESTING=OFF -DSHIYA_BENCH=OFF
    windows_packages "$root"
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    shiya_windows_main "$@"
fi
