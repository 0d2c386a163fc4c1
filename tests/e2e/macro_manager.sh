#!/usr/bin/env bash
# End to end: the real utility on the virtual keyboard under its own Xvfb,
# driven with xdotool (raw key codes, so the real key capture runs).
#   English: open the macro manager, New, Start Recording, type "ab", Stop,
#   OK, Save in the main window; then MacroDefine.bin, keymap.bin and the
#   keyboard's macro slot 0 must hold the macro.
#   Held keys and renumbering: record Ctrl+C as Macro_002 and stop while Ctrl
#   is still down (the macro gets its release); Q plays Macro_002; delete
#   Macro_001, OK, Cancel the main window: Q follows its macro to slot 0 in
#   keymap.bin, and the next Save sends slot and key together.
#   Chinese: open the panel on that macro, look at it and its menu, Cancel.
# Screenshots of the open panel and its context menu go to the folder given
# as the second argument.
#
#   macro_manager.sh BIN_DIR SHOT_DIR
set -euo pipefail

bin_dir=$1
shot_dir=$2
for tool in Xvfb xdotool import od; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d /tmp/orvane-e2e-macro-XXXXXX)
xvfb_pid=
app_pid=
cleanup() {
    [ -f "$work/app.log" ] && tail -n 30 "$work/app.log" >&2 || true
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null || true
    [ -n "${KEEP_E2E:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths=$1; shift
    for ((i = 0; i < tenths; i++)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

cp "$bin_dir/orvane" "$bin_dir/orvanectl" "$work/"
ln -s "$bin_dir/png" "$work/png"
mkdir -p "$work/home/.config" "$work/run" "$shot_dir"
chmod 700 "$work/run"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run
export ORVANE_KEYBOARD=virtual QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

# The server picks a free display itself and tells its number. Without
# -noreset it resets whenever its last client leaves, and a utility started
# right after another one ended could not connect during the reset.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$work/display")

start_app() {
    "$work/orvane" >"$work/app.log" 2>&1 &
    app_pid=$!
    wait_for 300 xdotool search --onlyvisible --name "Customization Utility" || fail "the main window did not appear"
    main=$(xdotool search --name "Customization Utility" | head -n1)
}
stop_app() {
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=
}
panel_id() { xdotool search --onlyvisible --name "$1" | head -n1; }
# Left click at window coordinates.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
shot() { import -window root "$shot_dir/$1"; }

open_panel() {
    click "$main" 100 158  # Macro Management
    wait_for 200 xdotool search --onlyvisible --name "$1" || fail "the macro manager did not open"
    panel=$(panel_id "$1")
    sleep 0.3
}
show_menu() {
    # Right button over the event list, on its first item.
    xdotool mousemove --window "$panel" 190 88 click 3
    sleep 0.6
    shot "$1"
    # Escape closes the menu, never the panel. (By name: xdotool takes a
    # one-digit number for a keysym, not for key code 9.)
    xdotool key Escape
    sleep 0.3
}

# ---- English: record "ab" and keep it ------------------------------------------
start_app
open_panel "Macro Manager"
click "$panel" 45 380    # New
click "$panel" 330 112   # Start Recording
xdotool key 38 key 56     # a, b
click "$panel" 330 112   # Stop Recording
shot en-recorded.png
show_menu en-menu.png
xdotool search --onlyvisible --name "Macro Manager" >/dev/null || fail "Escape closed the panel"
click "$panel" 305 412   # OK
wait_for 50 bash -c '! xdotool search --onlyvisible --name "Macro Manager"' || fail "OK did not close the panel"
click "$main" 950 620    # Save
# The keyboard keeps its state in its file (MouseData first, macro slots at
# byte 1304): wait until Save has reached it.
macros=$work/MacroDefine.bin
bytes() { od -A n -t x1 -v -j "$2" -N "$3" "$1" | tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }
slot_sent() { [ "$(bytes "$work/VirtualKeyboard.bin" 1304 4)" = "00 01 01 04" ]; }
wait_for 100 slot_sent || fail "Save did not send the macro slot"
stop_app

# MacroDefine.bin: name, loop count 1, option 0, device then host events.
[ "$(stat -c %s "$macros")" = 169860 ] || fail "MacroDefine.bin has the wrong size"
[ "$(bytes "$macros" 0 20)" = "4d 00 61 00 63 00 72 00 6f 00 5f 00 30 00 30 00 31 00 00 00" ] \
    || fail "the macro is not named Macro_001: $(bytes "$macros" 0 20)"
[ "$(bytes "$macros" 510 3)" = "01 00 00" ] || fail "loop count or options: $(bytes "$macros" 510 3)"
[ "$(bytes "$macros" 513 10)" = "01 04 81 04 01 05 81 05 00 00" ] || fail "device events: $(bytes "$macros" 513 10)"
[ "$(bytes "$macros" 703 10)" = "01 41 81 41 01 42 81 42 00 00" ] || fail "host events: $(bytes "$macros" 703 10)"
[ "$(bytes "$macros" 894 2)" = "00 00" ] || fail "a second macro appeared"

# keymap.bin holds the filled slot 0 (MacroSlots at byte 1304).
[ "$(bytes "$work/keymap.bin" 1304 12)" = "00 01 01 04 81 04 01 05 81 05 00 00" ] \
    || fail "keymap.bin macro slot 0: $(bytes "$work/keymap.bin" 1304 12)"

# The keyboard itself received the slot with Save.
dump=$("$work/orvanectl" dump) || fail "orvanectl dump failed"
grep -q "Macro slots holding data: 0$" <<<"$dump" || fail "the keyboard holds no macro: $dump"
grep -q "macro slot 0: loops 1, events 01 04 81 04 01 05 81 05$" <<<"$dump" \
    || fail "the keyboard's macro slot 0 differs: $(grep 'macro slot' <<<"$dump")"

# ---- a key held when the recording stops; a delete, OK and the main Cancel ------------
start_app
open_panel "Macro Manager"
click "$panel" 45 380    # New: Macro_002
click "$panel" 330 112   # Start Recording
# The server hands key and pointer events over in order: no pause is needed.
xdotool keydown 37 key 54   # left Ctrl held, c
click "$panel" 330 112       # Stop Recording, Ctrl still down
xdotool keyup 37
shot en-held-ctrl.png
click "$panel" 305 412   # OK
wait_for 50 bash -c '! xdotool search --onlyvisible --name "Macro Manager"' || fail "OK did not close the panel"
stop_app
# Macro_002 (record 1, 894 bytes on) lets go of Ctrl: press, C, release C, release Ctrl.
[ "$(bytes "$macros" $((894 + 703)) 10)" = "01 a2 01 43 81 43 81 a2 00 00" ] \
    || fail "Macro_002 keeps Ctrl held: $(bytes "$macros" $((894 + 703)) 10)"

# Q (record 42, device entry 9 at byte 792 + 36) plays Macro_002 from slot 1,
# on the keyboard and in keymap.bin.
python3 - "$work/keymap.bin" <<'PY'
import sys
path = sys.argv[1]
data = bytearray(open(path, "rb").read())
record = 10060 + 42 * 772
data[record + 1] = 2                      # TYPE_MACRO
data[record + 2:record + 6] = bytes([4, 1, 1, 0])
data[828:832] = bytes([4, 1, 1, 0])
open(path, "wb").write(data)
PY
"$work/orvanectl" apply "$work/keymap.bin" >/dev/null || fail "orvanectl apply failed"
[ "$(bytes "$work/VirtualKeyboard.bin" 828 4)" = "04 01 01 00" ] || fail "the keyboard did not take Q's macro"

start_app
open_panel "Macro Manager"
click "$panel" 105 380   # Delete Macro_001, the selected one
question_open() { [ "$(xdotool search --onlyvisible --name "^Macro Manager$" | wc -l)" -ge 2 ]; }
wait_for 50 question_open || fail "no question before the delete"
xdotool key Return          # "Confirm to delete?": OK
question_closed() { ! question_open; }
wait_for 50 question_closed || fail "the question stayed open"
click "$panel" 305 412   # OK
wait_for 50 bash -c '! xdotool search --onlyvisible --name "Macro Manager"' || fail "OK did not close the panel"
click "$main" 890 620    # the main window's Cancel: hidden to the tray
record42() { bytes "$work/keymap.bin" $((10060 + 42 * 772 + 1)) 5; }
q_follows() { [ "$(record42)" = "02 04 01 00 00" ] && [ "$(bytes "$work/keymap.bin" 828 4)" = "04 01 00 00" ]; }
wait_for 50 q_follows || fail "after Cancel Q does not play its macro in slot 0: $(record42), $(bytes "$work/keymap.bin" 828 4)"
"$work/orvane" >/dev/null 2>&1 || true   # a second start shows the window again
wait_for 100 xdotool search --onlyvisible --name "Customization Utility" || fail "the window did not come back"
click "$main" 950 620    # Save
sent() { [ "$(bytes "$work/VirtualKeyboard.bin" 828 4)" = "04 01 00 00" ] &&
         [ "$(bytes "$work/VirtualKeyboard.bin" 1304 10)" = "00 01 01 e0 01 06 81 06 81 e0" ]; }
wait_for 100 sent || fail "Save did not send Q and its macro together: $(bytes "$work/VirtualKeyboard.bin" 828 4) / $(bytes "$work/VirtualKeyboard.bin" 1304 10)"
stop_app
[ "$(bytes "$macros" 0 20)" = "4d 00 61 00 63 00 72 00 6f 00 5f 00 30 00 30 00 32 00 00 00" ] \
    || fail "Macro_002 is not in slot 0 of MacroDefine.bin"

# ---- Chinese: the panel on the recorded macro, its menu, Cancel ----------------------
printf '[General]\nLanguage=CHS\n' >"$XDG_CONFIG_HOME/ZX417.conf"
before=$(md5sum "$macros" "$work/keymap.bin")
start_app
open_panel "宏管理器"
shot zh-panel.png
show_menu zh-menu.png
click "$panel" 365 412   # Cancel
wait_for 50 bash -c '! xdotool search --onlyvisible --name "宏管理器"' || fail "Cancel did not close the panel"
stop_app
[ "$(md5sum "$macros" "$work/keymap.bin")" = "$before" ] || fail "Cancel changed the files"

echo "PASS: macro recorded, confirmed and sent; screenshots in $shot_dir"
