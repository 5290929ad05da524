#!/bin/sh
# Builds the Debian package of the build and checks that it carries the program, its menu
# entry, its description and its icons, and depends on the Japanese font it draws with.
# usage: check-package.sh <build dir> <app id>
set -eu
build=$1
id=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out" >/dev/null
deb=$(ls "$out"/*.deb)
contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/shiyakensa ./usr/share/applications/$id.desktop \
            ./usr/share/metainfo/$id.metainfo.xml ./usr/share/icons/hicolor/256x256/apps/$id.png \
            ./usr/share/icons/hicolor/16x16/apps/$id.png; do
    printf '%s\n' "$contents" | grep -qx "$file" || { echo "not in the package: $file" >&2; exit 1; }
done
dpkg-deb -f "$deb" Depends | grep -q fonts-ipafont-gothic || { echo "no font dependency" >&2; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "no Qt dependency" >&2; exit 1; }
echo "package: $(basename "$deb")"
