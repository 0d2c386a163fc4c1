#!/usr/bin/env bash
# The profile manager end to end: the real utility on the virtual keyboard
# under its own X server, driven with xdotool (pointer clicks at window
# coordinates, raw key codes). A profile made from one lighting effect and
# loaded again after another effect was saved brings the first effect back
# to the keyboard on the next Save; the files in Configure/ and keymap.bin
# hold what each step wrote, and the utility's own files are never chosen.
#   profile_manager_e2e.sh <folder of orvane and orvanectl>
# ORVANE_E2E_SHOTS=<folder> keeps the screenshots of the open panel there.
set -euo pipefail
bin=$(cd "$1" && pwd)
work=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/orvane.log" ] && sed 's/^/  orvane: /' "$work/orvane.log" >&2
    exit 1
}
# Polls a condition for up to $1 seconds.
wait_for() {
    local tenths=$(($1 * 10)); shift
    for ((i = 0; i < tenths; i++)); do "$@" && return 0; sleep 0.1; done
    return 1
}

# The data folder is the executable's own: a fresh one with the build's skin.
app="$work/app"
mkdir -p "$app" "$work/home" "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
cp "$bin/orvane" "$bin/orvanectl" "$app/"
ln -s "$bin/png" "$app/png"
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
export XDG_RUNTIME_DIR="$work/runtime" ORVANE_KEYBOARD=virtual QT_QPA_PLATFORM=xcb
unset QT_QPA_PLATFORMTHEME

# Displays 200..260; another test may take the same number at the same moment,
# so a server that does not stay up sends us to the next number.
for n in $(seq 200 260); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    if wait_for 5 xdotool getmouselocation >/dev/null 2>&1 && kill -0 "$xvfb_pid" 2>/dev/null; then break; fi
    kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
done
[ -n "$xvfb_pid" ] || fail "no free X display in 200..260"

# Keys as key codes: letters, digits and the few signs a file name needs.
keys() {
    local text=$1 list=() c
    for ((i = 0; i < ${#text}; i++)); do
        c=${text:i:1}
        case "$c" in
            [a-z0-9]) list+=("$c") ;;
            [A-Z]) list+=("shift+${c,,}") ;;
            .) list+=(period) ;;
            /) list+=(slash) ;;
            _) list+=(shift+underscore) ;;
            *) fail "no key for '$c'" ;;
        esac
    done
    xdotool key --delay 30 "${list[@]}"
}
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
click() { xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"; sleep 0.4; }
shot() { import -window root "$work/$1.png"; [ -z "${ORVANE_E2E_SHOTS:-}" ] || cp "$work/$1.png" "$ORVANE_E2E_SHOTS/"; }
effect_of() { od -An -tu1 -j 7450 -N 1 "$1" | tr -d ' '; }
size_of() { stat -c %s "$1"; }

start_utility() {
    "$app/orvane" >>"$work/orvane.log" 2>&1 &
    app_pid=$!
    main=$(timeout 20 xdotool search --sync --onlyvisible --name "Customization Utility" | head -n 1) ||
        fail "the main window did not appear"
    sleep 1
}
stop_utility() {
    click "$main" 985 12  # the close button writes keymap.bin and ends the utility
    wait_for 10 bash -c "! kill -0 $app_pid 2>/dev/null" || fail "the utility did not end on its close button"
    local status=0
    wait "$app_pid" || status=$?
    app_pid=""
    [ "$status" = 0 ] || fail "the utility ended with status $status"
}
# Lighting section open, effect list open, row r (Static is row 0).
choose_effect() {
    click "$main" 100 165
    click "$main" 100 $((173 + 20 * $1 + 10))
}
open_profiles() {
    click "$main" 50 620
    panel=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n 1) ||
        fail "the profile manager did not open"
    sleep 0.5
}
close_profiles() {
    click "$panel" 255 17
    wait_for 5 bash -c "[ -z \"\$(xdotool search --onlyvisible --name '^$1\$' 2>/dev/null)\" ]" ||
        fail "the profile manager did not close"
}
row_y() { echo $((34 + 15 * $1 + 7)); }
# Context menu over list row $1, item $2 (0 New, 1 Copy, 2 Save, 3 Load, 4 Delete).
menu_item() {
    click "$panel" 60 "$(row_y "$1")" 3
    local downs=()
    for ((k = 0; k <= $2; k++)); do downs+=(Down); done
    xdotool key --delay 60 "${downs[@]}" Return
    sleep 0.6
}
# Types a name into the name box of the chooser $1 and accepts it. The box is
# clicked first: with no window manager nothing gives the chooser the
# keyboard back after a message box over it has closed.
choose_file() {
    local chooser height
    chooser=$(window_named "$1")
    [ -n "$chooser" ] || fail "no chooser named $1"
    height=$(xdotool getwindowgeometry "$chooser" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
    click "$chooser" 300 $((height - 54))
    xdotool key ctrl+a
    keys "$2"
    xdotool key Return
    sleep 0.8
}

# ---- English: make, rename, save, copy, delete and load profiles ----------------
start_utility
macros_before=$(md5sum <"$app/MacroDefine.bin")
click "$main" 100 120      # open the lighting section
choose_effect 2            # Wave (effect 3)

open_profiles Profile
[ -d "$app/Configure" ] || fail "Configure/ was not made on opening"
click "$panel" 40 600      # New: Profile_1 with the working state (Wave)
wait_for 5 test -f "$app/Configure/Profile_1.bin" || fail "New made no Profile_1.bin"
[ "$(size_of "$app/Configure/Profile_1.bin")" = 10060 ] || fail "a new profile holds 10060 bytes"
[ "$(effect_of "$app/Configure/Profile_1.bin")" = 3 ] || fail "New did not keep the working effect"
# Rename in place: select, double-click, type, Enter (which must not close the panel).
click "$panel" 60 "$(row_y 0)"
xdotool click --repeat 2 --delay 80 1
sleep 0.5
keys Alpha
xdotool key Return
wait_for 5 test -f "$app/Configure/Alpha.bin" || fail "the rename did not reach the file"
[ ! -e "$app/Configure/Profile_1.bin" ] || fail "the renamed file is still there"
[ -n "$(window_named '^Profile$')" ] || fail "Enter closed the profile manager"
close_profiles Profile

choose_effect 4            # Sidewinder (effect 5)
click "$main" 950 620      # Save: the keyboard now holds effect 5
sleep 1

open_profiles Profile
click "$panel" 40 600      # New: Profile_1 (Sidewinder); the list is Alpha, Profile_1
wait_for 5 test -f "$app/Configure/Profile_1.bin" || fail "the second New made nothing"
menu_item 1 2              # Save into Profile_1, and export
wait_for 5 bash -c '[ -n "$(xdotool search --onlyvisible --name "Save As" 2>/dev/null)" ]' || fail "no save chooser"
choose_file "Save As" MacroDefine.bin   # refused inside the chooser
wait_for 5 bash -c '[ "$(xdotool search --onlyvisible --name "^Profile$" 2>/dev/null | wc -l)" -ge 2 ]' ||
    fail "choosing MacroDefine.bin was not refused with a message"
shot refused-export
xdotool key Return         # the message; the chooser stays open
sleep 0.5
choose_file "Save As" export.bin
wait_for 5 test -f "$app/export.bin" || fail "the export was not written"
[ "$(md5sum <"$app/MacroDefine.bin")" = "$macros_before" ] || fail "MacroDefine.bin was overwritten"
[ "$(size_of "$app/Configure/Profile_1.bin")" = 206920 ] || fail "Save did not write the whole image"
cmp -s "$app/export.bin" "$app/Configure/Profile_1.bin" || fail "the export differs from the profile"

menu_item 1 1              # Copy Profile_1: three profiles
wait_for 5 test -f "$app/Configure/Copy of  Profile_1.bin" || fail "Copy made no file"
click "$panel" 60 "$(row_y 1)" 3   # the context menu over three profiles
shot english-menu
xdotool key Escape
sleep 0.3
click "$panel" 60 "$(row_y 1)"     # Delete the copy ("Copy of  Profile_1" sorts before Profile_1)
click "$panel" 200 600
xdotool key Return                 # OK in the confirmation
wait_for 5 bash -c "[ ! -e '$app/Configure/Copy of  Profile_1.bin' ]" || fail "Delete left the copy"

menu_item 0 3              # Load into Alpha from Configure/Alpha.bin: Wave again
wait_for 5 bash -c '[ -n "$(xdotool search --onlyvisible --name "^Open" 2>/dev/null)" ]' || fail "no open chooser"
choose_file "^Open" Configure/Alpha.bin
wait_for 5 bash -c "[ \"\$(stat -c %s '$app/Configure/Alpha.bin')\" = 206920 ]" ||
    fail "Load did not write the working image into the profile"
close_profiles Profile     # the refresh writes keymap.bin from the working copy
wait_for 5 bash -c "[ \"\$(od -An -tu1 -j 7450 -N 1 '$app/keymap.bin' | tr -d ' ')\" = 3 ]" ||
    fail "keymap.bin does not hold the loaded effect after the panel closed"
click "$main" 950 620      # Save: the loaded profile reaches the keyboard
sleep 1
stop_utility

state=$("$app/orvanectl" dump) || fail "orvanectl dump"
grep -q "^Lighting: effect 3," <<<"$state" || fail "the keyboard does not hold the loaded effect: $(grep Lighting <<<"$state")"
[ "$(effect_of "$app/keymap.bin")" = 3 ] || fail "keymap.bin effect"
[ "$(size_of "$app/keymap.bin")" = 206920 ] || fail "keymap.bin size"
[ "$(effect_of "$app/Configure/Alpha.bin")" = 3 ] || fail "Alpha.bin effect"
[ "$(effect_of "$app/Configure/Profile_1.bin")" = 5 ] || fail "Profile_1.bin effect"
[ "$(cd "$app/Configure" && ls | tr '\n' '|')" = "Alpha.bin|Profile_1.bin|" ] || fail "Configure/: $(ls "$app/Configure")"
[ "$(md5sum <"$app/MacroDefine.bin")" = "$macros_before" ] || fail "MacroDefine.bin changed"

# ---- Chinese: the panel's texts and pictures by language --------------------------
printf '[General]\nLanguage=CHS\n' >"$XDG_CONFIG_HOME/ZX417.conf"
start_utility
open_profiles 配置
click "$panel" 40 600      # New: three profiles
wait_for 5 test -f "$app/Configure/Profile_2.bin" || fail "New in Chinese made nothing"
click "$panel" 60 "$(row_y 2)" 3
shot chinese-menu
xdotool key Escape
sleep 0.3
close_profiles 配置
stop_utility

listing=$(cd "$app" && ls | tr '\n' '|')
[ "$listing" = "Configure|MacroDefine.bin|VirtualKeyboard.bin|export.bin|keymap.bin|orvane|orvanectl|png|" ] ||
    fail "files written beside the profiles: $listing"
echo "profile manager: made, renamed, saved, exported, copied, deleted and loaded profiles; keyboard holds effect 3"
