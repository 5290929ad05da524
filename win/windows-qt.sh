#!/usr/bin/env bash
# Qt for Windows, built once from Debian's own qt6-base source package with Debian's
# mingw-w64, into a cache outside the repository. Sourced by win/build.sh and test.sh for
# ensure_windows_qt; run on its own, it builds the cache and prints the Qt prefix.
#
# The cache folder is $SHIYA_WINDOWS_CACHE, else ${XDG_CACHE_HOME:-~/.cache}/shiyakensa-windows.
# A Qt build is kept under a key made of the Qt version and every option it was built with,
# and reused by every later build with the same key. The first build takes about 40 to 60
# minutes on two cores; the progress shows on the terminal.

# What cross-building needs: the compilers (posix threads, for std::thread), the host Qt's
# tools (moc, rcc, uic, syncqt's perl), ninja, and apt's and dpkg's source tools.
SHIYA_WINDOWS_QT_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 ninja-build
    cmake perl qt6-base-dev qt6-base-dev-tools dpkg-dev xz-utils)

SHIYA_WINDOWS_QT_VERSION=6.4.2+dfsg-10
SHIYA_WINDOWS_TOOLCHAIN_SOURCE=$(dirname "${BASH_SOURCE[0]}")/mingw-w64-x86_64.cmake

# Only what the program and its tests use: Core, Gui, Widgets and Test, the Windows platform
# plugin and the Windows styles. Debian's tarball lacks wintab, so tablets stay off (pens
# still arrive as mouse input); OpenGL off takes dynamic GL with it. Direct2D stays: Qt 6.4
# builds its DirectWrite font database only with it.
SHIYA_WINDOWS_QT_OPTIONS=(
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DINPUT_opengl=no
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_vulkan=OFF
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF
    -DFEATURE_tabletevent=OFF -DFEATURE_zstd=OFF
    -DFEATURE_gif=OFF -DFEATURE_jpeg=OFF -DFEATURE_ico=OFF -DFEATURE_androiddeployqt=OFF
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_doubleconversion=OFF
)

# windows_qt_key: the cache key, from the version, the options and the toolchain file.
windows_qt_key() {
    { printf '%s\n' "$SHIYA_WINDOWS_QT_VERSION" "${SHIYA_WINDOWS_QT_OPTIONS[@]}"
      cat "$SHIYA_WINDOWS_TOOLCHAIN_SOURCE"; } | sha256sum | cut -c1-12
}

windows_cache_dir() {
    echo "${SHIYA_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/shiyakensa-windows}"
}

# windows_qt_prefix: where the Qt of the current key is (or will be) installed.
windows_qt_prefix() {
    echo "$(windows_cache_dir)/qt-${SHIYA_WINDOWS_QT_VERSION%%+*}-mingw-$(windows_qt_key)"
}

# fetch_qt_source <dir>: Debian's qt6-base source package, unpacked with its patches into
# <dir>/qtbase, through an apt configuration of its own (the system's sources stay as they
# are: their entries are read and turned into deb-src ones).
fetch_qt_source() {
    local dir=$1 sources=$1/apt/sources.list
    mkdir -p "$dir/apt/lists/partial"
    local file
    : >"$sources"
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [[ -f $file ]] && sed -n 's/^deb \(.*\)$/deb-src \1/p' "$file" >>"$sources"
    done
    local deb822=$dir/apt/parts/debian.sources
    mkdir -p "$dir/apt/parts"
    : >"$deb822"
    for file in /etc/apt/sources.list.d/*.sources; do
        [[ -f $file ]] && sed 's/^Types:.*$/Types: deb-src/' "$file" >>"$deb822" && echo >>"$deb822"
    done
    local apt=(apt-get -q -o "Dir::Etc::SourceList=$sources" -o "Dir::Etc::SourceParts=$dir/apt/parts"
        -o "Dir::State::Lists=$dir/apt/lists" -o "Dir::Cache=$dir/apt/cache")
    mkdir -p "$dir/apt/cache/archives/partial"
    "${apt[@]}" update
    (cd "$dir" && "${apt[@]}" source --download-only "qt6-base=$SHIYA_WINDOWS_QT_VERSION")
    (cd "$dir" && dpkg-source --no-check -x "qt6-base_$SHIYA_WINDOWS_QT_VERSION.dsc" qtbase)
}

# ensure_windows_qt: builds Qt for Windows into the cache unless it is there already; prints
# nothing, fails if the build fails. A half-done build is started again from the start.
ensure_windows_qt() {
    local prefix
    prefix=$(windows_qt_prefix)
    if [[ -f $prefix/.complete ]]; then
        return 0
    fi
    local work=$prefix.work started=$SECONDS
    echo "== Qt ${SHIYA_WINDOWS_QT_VERSION} for Windows: building once into $prefix" >&2
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    fetch_qt_source "$work" >&2
    # The program's builds chain-load this copy through Qt's own toolchain file, so that the
    # cache does not depend on the checkout it was built from.
    mkdir -p "$prefix/share/shiyakensa"
    cp "$SHIYA_WINDOWS_TOOLCHAIN_SOURCE" "$prefix/share/shiyakensa/mingw-w64-x86_64.cmake"
    cmake -S "$work/qtbase" -B "$work/build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$prefix/share/shiyakensa/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$prefix" "${SHIYA_WINDOWS_QT_OPTIONS[@]}" >&2
    cmake --build "$work/build" --parallel "$(nproc)" >&2
    cmake --install "$work/build" >/dev/null
    rm -rf "$work"
    # What the packages say of the Qt they ship: where its source is and how it was built.
    { echo "Qt $SHIYA_WINDOWS_QT_VERSION for Windows (x86_64, MinGW-w64), built from Debian's"
      echo "source package qt6-base, version $SHIYA_WINDOWS_QT_VERSION (apt-get source"
      echo "qt6-base=$SHIYA_WINDOWS_QT_VERSION), with CMake and these options:"
      printf '    %s\n' "${SHIYA_WINDOWS_QT_OPTIONS[@]}"; } >"$prefix/share/shiyakensa/qt-source.txt"
    touch "$prefix/.complete"
    echo "== Qt for Windows built in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s" >&2
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
    set -euo pipefail
    ensure_windows_qt
    windows_qt_prefix
fi
