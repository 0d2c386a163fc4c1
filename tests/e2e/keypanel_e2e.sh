#!/usr/bin/env bash
# End to end: the real utility on the virtual keyboard under its own Xvfb,
# driven with xdotool. Keys of the picture open the key assignment panel;
# keys typed as X key events go through the real capture path. Checks the
# keyboard's key table (orvanectl dump), keymap.bin, a host action started
# from a path full of shell characters, and takes screenshots of every page
# in English and Chinese.
#
#   keypanel_e2e.sh BIN_DIR [SHOT_DIR]
#
# Exit 77 (skipped) when Xvfb or xdotool is missing.
set -euo pipefail

bin=$(cd "$1" && pwd)
shots=${2:-}
for tool in Xvfb xdotool import convert od iconv shuf; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/orvane-e2e-XXXXXX)
xvfb_pid=
app_pid=
display=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "$xvfb_pid" ] && ! kill -0 "$xvfb_pid" 2>/dev/null; then echo "(the X server :$display went away)" >&2; fi
    for log in orvane.log xvfb.log; do [ -f "$work/$log" ] && tail -20 "$work/$log" >&2; done
    exit 1
}

# Waits up to about 10 s for a command to succeed.
wait_for() {
    local i
    for i in $(seq 1 100); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

# ---- a folder of its own, as an installation beside the executable -----------
cp "$bin/orvane" "$bin/orvanectl" "$work/"
ln -s "$bin/png" "$work/png"
mkdir -p "$work/home/.config" "$work/run"
chmod 700 "$work/run"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
export ORVANE_KEYBOARD=virtual QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORMTHEME
# Under the address sanitizer: the desktop's own libraries keep some memory to the end.
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
export LSAN_OPTIONS="suppressions=$source_dir/cmake/lsan-desktop.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
# Under the thread sanitizer: the X connection, GLib and libdbus run uninstrumented threads.
[ -z "${TSAN_OPTIONS:-}" ] || export TSAN_OPTIONS="$TSAN_OPTIONS suppressions=$source_dir/cmake/tsan-desktop.supp"

# The program the Startup row gets: its path holds spaces, a quote, ";" and
# "$(...)"; a shell would run "touch" and never find the file. (The file
# chooser's name box reads double quotes as a list of names, so none here;
# the panel's own tests keep them.)
progdir="$work/run dir"
mkdir -p "$progdir"
prog="$progdir/it's a prog; \$(touch pwned).sh"
printf '#!/bin/sh\necho ran > "$(dirname "$0")/ran.txt"\n' > "$prog"
chmod +x "$prog"

# ---- a display of its own ------------------------------------------------------
for n in $(shuf -i 300-899 -n 40); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
done
[ -n "$display" ] || fail "no free display"
Xvfb ":$display" -screen 0 1280x800x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
wait_for xdotool getmouselocation || fail "Xvfb did not start"

window_of() {  # the first visible window whose name matches; fails when none
    local w
    w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$w" ] && echo "$w"
}
origin_of() {  # "x y" of a window's top-left corner
    xdotool getwindowgeometry "$1" | awk '/Position/ { split($2, p, ","); print p[1], p[2] }'
}
panel_open() { window_of '^Key Assignment$' >/dev/null; }
panel_closed() { ! panel_open; }

start_app() {
    (cd "$work" && exec ./orvane >"$work/orvane.log" 2>&1) &
    app_pid=$!
    wait_for window_of "Customization Utility" || fail "the main window did not appear"
    main=$(window_of "Customization Utility")
    read -r mx my < <(origin_of "$main")
    sleep 0.5  # the start-up read of the keyboard
}
app_gone() { [ ! -e "/proc/$app_pid" ] || grep -q ') Z' "/proc/$app_pid/stat"; }
stop_app() {
    xdotool mousemove $((mx + 986)) $((my + 12)) click 1  # close button: writes keymap.bin and ends
    wait_for app_gone || fail "the utility did not end"
    wait "$app_pid" || fail "the utility ended with status $?"
    app_pid=
}

# Clicks at main-window or panel coordinates.
main_click() { xdotool mousemove $((mx + $1)) $((my + $2)) click 1; sleep 0.2; }
panel_click() { xdotool mousemove $((px + $1)) $((py + $2)) click 1; sleep 0.3; }
shot() { import -window root "$work/$1.png"; [ -z "$shots" ] || { mkdir -p "$shots"; cp "$work/$1.png" "$shots/"; }; }

# A key of the picture by its centre (keyboard picture at 304, 80).
open_key() {
    main_click $((304 + $1)) $((80 + $2))
    wait_for panel_open || fail "no panel after a click on the key at $1,$2"
    read -r px py < <(origin_of "$(window_of '^Key Assignment$')")
}
panel_save() { panel_click 284 257; wait_for panel_closed || fail "Save did not close the panel"; }
panel_cancel() { panel_click 230 257; wait_for panel_closed || fail "Cancel did not close the panel"; }
tab() { panel_click $((40 + 81 * $1)) 44; }

# ---- English: three keys get three kinds of assignment ---------------------------
start_app
open_key 76 186                       # Q
shot en-page0-single
panel_click 150 146                   # into the combination box
xdotool keydown Control_L; sleep 0.1; xdotool key c; sleep 0.1; xdotool keyup Control_L; sleep 0.3
shot en-page0-captured
panel_save
# Q is drawn highlighted; R beside it is not.
shot en-main-q
pixel() { convert "$work/$1.png" -format "%[pixel:p{$((mx + 304 + $2)),$((my + 80 + $3))}]" info:; }
[ "$(pixel en-main-q 68 178)" != "$(pixel en-main-q 148 178)" ] || fail "Q is not drawn highlighted"

open_key 103 186                      # W
tab 2
panel_click 60 81                     # "Run", the second row of the tree
shot en-page2-basic
panel_click 29 94                     # the mark of "Media" (rows are 13 pixels): expanded
shot en-page2-expanded
panel_save

open_key 130 186                      # E
tab 1
shot en-page1-macro
tab 3
panel_click 279 105                   # browse of the Startup row
wait_for window_of "^Open$" || fail "no file chooser"
dialog=$(window_of "^Open$")
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool key ctrl+a; xdotool type --delay 15 "$prog"; sleep 0.2
shot en-chooser
chooser_closed() { ! window_of '^Open$' >/dev/null; }
xdotool key Return
# A completion list may take the first Return.
wait_for chooser_closed || { xdotool key Return; wait_for chooser_closed; } || fail "the chooser stayed open"
sleep 0.3
shot en-page3-advance
panel_save

main_click 950 620                    # Save: write-all to the keyboard
sleep 1
shot en-main-after-save

# The keyboard reports E; the utility starts the program without a shell.
echo 21 > "$work/VirtualKeyboard.press"
wait_for test -f "$progdir/ran.txt" || fail "the Startup program did not run"
[ ! -e "$work/pwned" ] && [ ! -e "$progdir/pwned" ] || fail "the path went through a shell"
stop_app

# ---- what the keyboard and keymap.bin hold -----------------------------------------
dump=$(cd "$work" && ./orvanectl dump)
slot() { echo "$dump" | awk -v s="$(printf '%03d:' $(( $1 / 8 * 8 )))" -v i=$(( $1 % 8 + 2 )) '$1 == s { print $i }'; }
[ "$(slot 9)" = "00e00600" ] || fail "Q's slot holds $(slot 9), not 00 e0 06 00"
[ "$(slot 15)" = "00e31500" ] || fail "W's slot holds $(slot 15), not Run"
[ "$(slot 21)" = "0a004500" ] || fail "E's slot holds $(slot 21), not a host key"

bytes() { od -A n -t x1 -v -j "$1" -N "$2" "$work/keymap.bin" | tr -d ' \n'; }
record() { echo $((10060 + $1 * 772)); }
[ "$(bytes "$(record 42)" 4)" = "5101a243" ] || fail "record 42 is $(bytes "$(record 42)" 4)"
[ "$(bytes $(( $(record 42) + 257 )) 1)" = "02" ] || fail "record 42 does not count two keys"
[ "$(bytes "$(record 43)" 6)" = "570300e31500" ] || fail "record 43 is $(bytes "$(record 43)" 6)"
[ "$(bytes "$(record 44)" 2)" = "4505" ] || fail "record 44 is not Startup"
want=$(printf '%s' "$prog" | iconv -f UTF-8 -t UTF-16LE | od -A n -t x1 -v | tr -d ' \n')
[ "$(bytes $(( $(record 44) + 260 )) $(( ${#want} / 2 + 2 )))" = "${want}0000" ] || fail "record 44 holds another path"

# ---- Chinese: the same panel, every page -----------------------------------------
printf '[General]\nLanguage=CHS\n' > "$XDG_CONFIG_HOME/ZX417.conf"
start_app
open_key 76 186                       # Q, preloaded with its combination
shot zh-page0-combine
tab 1; shot zh-page1-macro
tab 2; shot zh-page2-basic
tab 0; panel_cancel
open_key 103 186                      # W: the Basic page with its function
shot zh-page2-function
panel_cancel
open_key 130 186                      # E: the Advance page with its path
shot zh-page3-advance
panel_click 24 255                    # Disable ticked, then the close button
shot zh-page3-disable
# Dragged by an empty part of the panel.
# Every point of the way, the start and the end lie on empty parts.
xdotool mousemove $((px + 120)) $((py + 190)) mousedown 1; sleep 0.2
xdotool mousemove $((px + 140)) $((py + 200)); sleep 0.2
xdotool mousemove $((px + 180)) $((py + 220)); sleep 0.2
xdotool mouseup 1; sleep 0.3
read -r nx ny < <(origin_of "$(window_of '^Key Assignment$')")
[ "$nx" -eq $((px + 60)) ] && [ "$ny" -eq $((py + 30)) ] || fail "the panel moved to $nx,$ny, not by 60,30"
px=$nx py=$ny
panel_click 310 10
wait_for panel_closed || fail "the close button did not close the panel"
# A look at the Single/Combine page, then Cancel and the main window's Save:
# E still starts its program.
open_key 130 186
tab 0
panel_cancel
main_click 950 620
rm -f "$progdir/ran.txt"
echo 21 > "$work/VirtualKeyboard.press"
wait_for test -f "$progdir/ran.txt" || fail "after a tab switch and Cancel E no longer starts its program"
stop_app
[ "$(bytes "$(record 44)" 2)" = "4505" ] || fail "Cancel and close changed record 44"

echo "key assignment panel end to end: passed"
