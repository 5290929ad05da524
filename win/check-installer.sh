#!/usr/bin/env bash
# win/check-installer.sh <installer.exe> <application id>
#
# The installer as a user meets it, in a fresh Wine prefix (run through win/wine.sh --shell,
# on an X server with a window manager): a silent install puts the program into the user's
# programs folder with its Start-menu entry and its entry in the installed apps; the program
# starts from the path the Start-menu entry names and ends with its close box; a silent
# uninstall leaves no file and no registry key of it.
set -uo pipefail

installer=$1
app_id=$2
key="HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$app_id"
faults=0
fail() {
    echo "check-installer: $*" >&2
    faults=$((faults + 1))
}
# A Windows folder of the prefix, as a path on this side.
unix_folder() {
    winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')"
}
# A registry value as the registry's export writes it (UTF-16), in UTF-8.
registry_value() {
    local file
    file=$(mktemp)
    wine reg export "$key" "$(winepath -w "$file")" /y >/dev/null 2>&1 &&
        iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' | sed -n "s/^\"$1\"=//p"
    rm -f "$file"
}

wine "$installer" /S || fail "the silent install failed"
wineserver -w
local_data=$(unix_folder LOCALAPPDATA)
roaming=$(unix_folder APPDATA)
installed=$local_data/Programs/ShiyaKensa
shortcut="$roaming/Microsoft/Windows/Start Menu/Programs/視野検査.lnk"
for file in shiyakensa.exe uninstall.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll \
    libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll fonts/ipagp.ttf licenses/shiyakensa.txt \
    licenses/Qt/LGPL-3.0.txt licenses/Qt/source.txt licenses/MinGW/winpthreads.txt \
    licenses/IPAfont/copyright.txt; do
    [[ -f $installed/$file ]] || fail "not installed: $file"
done
[[ -f $shortcut ]] || fail "no Start-menu entry 視野検査"
[[ "$(registry_value DisplayName)" == '"視野検査"' ]] ||
    fail "the installed apps list no 視野検査: $(registry_value DisplayName)"
[[ "$(registry_value UninstallString)" == *'uninstall.exe\"'* ]] ||
    fail "no uninstaller in the installed apps: $(registry_value UninstallString)"

# Started the way the Start menu starts it.
wine start /unix "$shortcut"
window=
for _ in $(seq 200); do
    window=$(xdotool search --name '^視野検査\(15×19\)$' 2>/dev/null | head -1)
    [[ -n $window ]] && break
    sleep 0.1
done
if [[ -z $window ]]; then
    fail "the Start-menu entry started no program window"
else
    pid=$(xprop -id "$window" _NET_WM_PID | awk '{ print $3 }')
    started=$(tr '\0' ' ' <"/proc/$pid/cmdline")
    [[ $started == 'C:\users\'*'\AppData\Local\Programs\ShiyaKensa\shiyakensa.exe'* ]] ||
        fail "the Start-menu entry started $started"
    wmctrl -i -c "$window"
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    ! kill -0 "$pid" 2>/dev/null || fail "the program still runs after its close box"
fi

# The uninstaller runs a copy of itself and returns at once: wait for every process.
wine "$installed/uninstall.exe" /S || fail "the silent uninstall failed"
wineserver -w
[[ ! -e $installed ]] || fail "left after the uninstall: $(find "$installed" | head -5)"
[[ ! -e $shortcut ]] || fail "the Start-menu entry is left after the uninstall"
left=$(find "$WINEPREFIX/drive_c" \( -iname '*shiyakensa*' -o -name '*視野検査*' \) | head -5)
[[ -z $left ]] || fail "files left after the uninstall: $left"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstall key is left after the uninstall"
wineserver -w
if grep -il -e shiyakensa "$WINEPREFIX"/*.reg; then
    fail "registry entries naming the program are left after the uninstall"
fi
if ((faults == 0)); then
    echo "check-installer: installed, started from its Start-menu entry, closed and uninstalled"
fi
exit $((faults > 0))
