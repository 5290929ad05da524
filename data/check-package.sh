#!/bin/sh
# Builds the source and binary packages as Debian does (dpkg-buildpackage, from a copy of the
# source tree) and checks that the package carries the program (stripped and hardened), its
# menu entry, its description, its icons, copyright file, changelog and manual page, depends
# on the Japanese font it draws with, and that lintian finds no tag on either package.
# usage: check-package.sh <app id>
set -eu
id=$1
source=$(cd "$(dirname "$0")/.." && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

mkdir "$out/shiyakensa"
tar -C "$source" --exclude=./.git --exclude=./build --exclude='./build-*' -cf - . |
    tar -C "$out/shiyakensa" -xf -
# ccache, where there is one, keeps the compilers' work from one package build to the next.
if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache CCACHE_BASEDIR="$out/shiyakensa" CCACHE_NOHASHDIR=true
fi
(cd "$out/shiyakensa" && DEB_BUILD_OPTIONS="parallel=2 noautodbgsym" dpkg-buildpackage -us -uc >"$out/build.log" 2>&1) ||
    { tail -n 30 "$out/build.log" >&2; echo "dpkg-buildpackage failed" >&2; exit 1; }
grep -Eq '^100% tests passed, 0 tests failed out of [1-9]' "$out/build.log" ||
    { echo "the package's build ran no unit test" >&2; exit 1; }
deb=$(ls "$out"/shiyakensa_*.deb)
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
binary=$out/root/usr/bin/shiyakensa
file -b "$binary" | grep -q ', stripped' || { echo "binary not stripped" >&2; exit 1; }
grep -qx "Exec=/usr/bin/shiyakensa" "$out/root/usr/share/applications/$id.desktop" ||
    { echo "menu entry does not start /usr/bin/shiyakensa" >&2; exit 1; }
# Hardened: a stack protector, and all relocations bound and read-only at start.
readelf -W --dyn-syms "$binary" | grep -q ' __stack_chk_fail@' || { echo "no stack protector" >&2; exit 1; }
readelf -W -d "$binary" | grep -q 'FLAGS.*BIND_NOW' || { echo "not bound at start" >&2; exit 1; }
version=$(dpkg-deb -f "$deb" Version)
gzip -dc "$out/root/usr/share/doc/shiyakensa/changelog.gz" | head -n 1 | grep -q "^shiyakensa ($version) " ||
    { echo "changelog has no entry on top for $version" >&2; exit 1; }
# The extended description says what the English paragraphs of the AppStream file say.
words() { tr '\n' ' ' | tr -s ' ' | sed 's/^ //; s/ $//'; }
described=$(dpkg-deb -f "$deb" Description | sed '1d; /^ \.$/d' | words)
meta=$(sed -n '/^ *<p>$/,/<\/p>/p' "$source/data/$id.metainfo.xml" | grep -v '<' | words)
if [ -z "$described" ] || [ "$described" != "$meta" ]; then
    printf 'description differs from the metainfo:\n%s\n%s\n' "$described" "$meta" >&2
    exit 1
fi

# Run as root (as test.sh may be), lintian asks for --allow-root.
command -v lintian >/dev/null || { echo "lintian is not installed" >&2; exit 1; }
allow_root=
[ "$(id -u)" -ne 0 ] || allow_root=--allow-root
lintian $allow_root --pedantic --fail-on error,warning,info,pedantic "$deb" "$out"/shiyakensa_*.dsc >&2 ||
    { echo "lintian: tags on the source or binary package" >&2; exit 1; }
echo "package: $(basename "$deb")"
