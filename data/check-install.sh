#!/bin/sh
# Installs the build into a scratch prefix and checks that the program, its menu entry, its
# description, its manual page and its icon at every size arrive where a desktop looks for
# them; that the menu entry starts it by its path and names the X11 class and app id it runs
# with; and that nothing meant only for a Debian package lands in the prefix.
# usage: check-install.sh <build dir> <app id> <icon size>...
set -eu
data=$(cd "$(dirname "$0")" && pwd)
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
grep -qx "Exec=$prefix/bin/shiyakensa" "$desktop" || fail "Exec line of $desktop"
grep -q "^Icon=$id\$" "$desktop" || fail "Icon line of $desktop"
grep -q '^Name\[ja\]=視野検査$' "$desktop" || fail "Japanese name in $desktop"
[ -f "$prefix/share/metainfo/$id.metainfo.xml" ] || fail "metainfo"
man="$prefix/share/man/man1/shiyakensa.1"
grep -q '^\.TH SHIYAKENSA 1 ' "$man" || fail "$man"
for size in "$@"; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
    [ -s "$icon" ] || fail "$icon"
    # The PNG header carries the width and height as big-endian words at bytes 16 and 20.
    dims=$(od -An -tu1 -j16 -N8 "$icon" | tr -s ' ' | sed 's/^ //')
    expected="0 0 $((size / 256)) $((size % 256)) 0 0 $((size / 256)) $((size % 256))"
    [ "$dims" = "$expected" ] || fail "$icon is not ${size}x${size} ($dims)"
done
[ -z "$(find "$prefix" -path '*/lintian/*' -o -path '*/doc/*')" ] || fail "Debian-only files"

# The desktop ties the running window to its menu entry by the X11 class (StartupWMClass) and
# on Wayland by the app id, which is the entry's file name.
binary=$prefix/bin/shiyakensa
class=$("$data/../tests/e2e/run-under-x.sh" sh -c '"$1" & timeout 30 xdotool search --sync --onlyvisible --pid $! >/dev/null
    xprop -id "$(xdotool search --onlyvisible --pid $! | head -n 1)" WM_CLASS; kill $!' sh "$binary" |
    sed -n 's/^WM_CLASS(STRING) = ".*", "\(.*\)"$/\1/p')
grep -qx "StartupWMClass=$class" "$desktop" || fail "StartupWMClass of $desktop for the X11 class '$class'"
{ strings -a "$binary"; strings -a -e l "$binary"; } | grep -qx "$id" || fail "app id $id in $binary"
echo "installed: program, menu entry, metainfo, manual page and $# icon sizes; app id $id, X11 class $class"
