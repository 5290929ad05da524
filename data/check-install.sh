#!/bin/sh
# Installs the build into a scratch prefix and checks that the program, its menu entry, its
# description, its manual page and its icon at every size arrive where a desktop looks for
# them.
# usage: check-install.sh <build dir> <app id> <icon size>...
set -eu
build=$1
id=$2
shift 2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "missing or wrong: $*" >&2; exit 1; }
[ -x "$prefix/bin/shiyakensa" ] || fail "bin/shiyakensa"
desktop="$prefix/share/applications/$id.desktop"
[ -f "$desktop" ] || fail "$desktop"
grep -q '^Exec=shiyakensa$' "$desktop" || fail "Exec line of $desktop"
grep -q "^Icon=$id\$" "$desktop" || fail "Icon line of $desktop"
grep -q '^Name\[ja\]=視野検査$' "$desktop" || fail "Japanese name in $desktop"
[ -f "$prefix/share/metainfo/$id.metainfo.xml" ] || fail "metainfo"
man="$prefix/share/man/man1/shiyakensa.1.gz"
gzip -dc "$man" 2>/dev/null | grep -q '^\.TH SHIYAKENSA 1 ' || fail "$man"
for size in "$@"; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ -s "$icon" ] || fail "$icon"
    # The PNG header carries the width and height as big-endian words at bytes 16 and 20.
    dims=$(od -An -tu1 -j16 -N8 "$icon" | tr -s ' ' | sed 's/^ //')
    expected="0 0 $((size / 256)) $((size % 256)) 0 0 $((size / 256)) $((size % 256))"
    [ "$dims" = "$expected" ] || fail "$icon is not ${size}x${size} ($dims)"
done
echo "installed: program, menu entry, metainfo, manual page and $# icon sizes"
