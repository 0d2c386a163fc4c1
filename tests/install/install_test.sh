#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed utility as a
# user would: on the virtual keyboard, under its own X server, with a home of
# its own. Its skin must come from share/orvane, its files must appear in
# $XDG_DATA_HOME/orvane and nowhere beside the executable; orvanectl likewise.
#   install_test.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# DESTDIR keeps the absolute udev rule path inside the temporary folder too.
prefix=/opt/orvane-install-test
DESTDIR="$work/dest" cmake --install "$build" --prefix "$prefix" >/dev/null
root="$work/dest$prefix"
for f in bin/orvane bin/orvanectl \
         share/orvane/png/english/main.png share/orvane/png/chinese/main.png \
         share/applications/example.orvane.Orvane.desktop share/metainfo/example.orvane.Orvane.metainfo.xml \
         share/icons/hicolor/48x48/apps/example.orvane.Orvane.png share/orvane/example.orvane.Orvane-autostart.desktop; do
    [ -e "$root/$f" ] || fail "not installed: $f"
done
[ -e "$work/dest/etc/udev/rules.d/70-orvane.rules" ] || fail "udev rule not installed"
# The key capture is part of the programs: no private library beside them.
[ ! -e "$root/lib" ] || fail "a private library was installed: $(ls -R "$root/lib")"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/example.orvane.Orvane.desktop" || fail "desktop entry"
    desktop-file-validate "$root/share/orvane/example.orvane.Orvane-autostart.desktop" || fail "autostart entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$root/share/metainfo/example.orvane.Orvane.metainfo.xml" >/dev/null ||
        fail "AppStream file"
fi

export HOME="$work/home" XDG_DATA_HOME="$work/xdg" XDG_CONFIG_HOME="$work/config"
export XDG_RUNTIME_DIR="$work/runtime" ORVANE_KEYBOARD=virtual
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
state="$XDG_DATA_HOME/orvane"

# orvanectl first: it reads the keyboard and keeps the virtual keyboard in the state folder.
"$root/bin/orvanectl" dump > "$work/dump.txt" || fail "orvanectl dump"
grep -q "Firmware" "$work/dump.txt" || fail "orvanectl printed no state"
[ -f "$state/VirtualKeyboard.bin" ] || fail "virtual keyboard state not in $state"

display=""
for n in $(seq 140 199); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { display=":$n"; break; }
done
[ -n "$display" ] || fail "no free X display"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display" QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done

"$root/bin/orvane" >"$work/orvane.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "Customization Utility" | head -n 1) ||
    fail "the window did not appear"
sleep 1
# A pixel of the title bar: the installed skin, not the black fallback canvas.
import -window "$window" "$work/shot.png"
expected=$(convert "$root/share/orvane/png/english/main.png" -format '%[pixel:p{500,12}]' info:)
shown=$(convert "$work/shot.png" -format '%[pixel:p{500,12}]' info:)
[ "$expected" = "$shown" ] || fail "skin not drawn from share/orvane ($shown, expected $expected)"

xdotool mousemove --window "$window" 938 612 click 1   # Save
sleep 1
xdotool mousemove --window "$window" 985 12 click 1    # close button: the utility ends
for _ in $(seq 50); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "the utility did not end on its close button"
app_pid=""

for f in keymap.bin MacroDefine.bin VirtualKeyboard.bin; do
    [ -f "$state/$f" ] || fail "$f not in $state"
done
[ "$(stat -c %s "$state/keymap.bin")" = 206920 ] || fail "keymap.bin size"
[ "$(stat -c %s "$state/MacroDefine.bin")" = 169860 ] || fail "MacroDefine.bin size"
leftovers=$(find "$root" -name '*.bin' | head -n 5)
[ -z "$leftovers" ] || fail "files written under the installation: $leftovers"
echo "installed utility keeps its files in $state"
