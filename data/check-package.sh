#!/bin/sh
# Builds the Debian package of the build and checks that it carries the program (stripped),
# its menu entry, its description, its icons, copyright file, changelog and manual page,
# depends on the Japanese font it draws with, and that lintian finds no error or warning.
# usage: check-package.sh <build dir> <app id>
set -eu
build=$1
id=$2
data=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/shiyakensa ./usr/share/applications/$id.desktop \
            ./usr/share/metainfo/$id.metainfo.xml ./usr/share/icons/hicolor/256x256/apps/$id.png \
            ./usr/share/icons/hicolor/16x16/apps/$id.png ./usr/share/doc/shiyakensa/copyright \
            ./usr/share/doc/shiyakensa/changelog.gz ./usr/share/man/man1/shiyakensa.1.gz \
            ./usr/share/lintian/overrides/shiyakensa; do
    printf '%s\n' "$contents" | grep -qx "$file" || { echo "not in the package: $file" >&2; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q fonts-ipafont-gothic || { echo "no font dependency" >&2; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "no Qt dependency" >&2; exit 1; }

dpkg-deb -x "$deb" "$out/root"
file -b "$out/root/usr/bin/shiyakensa" | grep -q ', stripped' || { echo "binary not stripped" >&2; exit 1; }
file -b "$build/src/shiyakensa" | grep -q 'not stripped' || { echo "build tree's binary stripped" >&2; exit 1; }
version=$(dpkg-deb -f "$deb" Version)
gzip -dc "$out/root/usr/share/doc/shiyakensa/changelog.gz" | head -n 1 | grep -q "^shiyakensa ($version) " ||
    { echo "changelog has no entry on top for $version" >&2; exit 1; }
# The extended description says what the English paragraphs of the AppStream file say.
words() { tr '\n' ' ' | tr -s ' ' | sed 's/^ //; s/ $//'; }
described=$(dpkg-deb -f "$deb" Description | sed '1d; /^ \.$/d' | words)
meta=$(sed -n '/^ *<p>$/,/<\/p>/p' "$data/$id.metainfo.xml" | grep -v '<' | words)
if [ -z "$described" ] || [ "$described" != "$meta" ]; then
    printf 'description differs from the metainfo:\n%s\n%s\n' "$described" "$meta" >&2
    exit 1
fi

# Errors and warnings fail; info and pedantic tags don't. Run as root (as test.sh may be),
# lintian asks for --allow-root.
command -v lintian >/dev/null || { echo "lintian is not installed" >&2; exit 1; }
allow_root=
[ "$(id -u)" -ne 0 ] || allow_root=--allow-root
lintian $allow_root --fail-on error,warning "$deb" >&2 || { echo "lintian: errors or warnings" >&2; exit 1; }
echo "package: $(basename "$deb")"
