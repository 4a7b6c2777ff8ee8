#!/usr/bin/env bash
# End-to-end check of the SDL display: starts Xvfb on a free display, runs the
# window probe (WindowProbe.cpp) there, clicks into its panel and its pop-up
# and types ASCII and Chinese text with xdotool, and checks what reached the
# program (the clicks' client positions, the characters as GBK bytes, the
# clipboard's text in UTF-8 and back in GBK, no loss of activation to the
# pop-up), the window's title, and a screenshot of what it painted, caret
# blink included. Hiding the pop-up, which held the keyboard (there is no
# desktop window manager under Xvfb), must give the keyboard back.
#
#   window_probe.sh <e2e_window_probe program> [folder for the screenshot]
set -euo pipefail

probe=$1
out=${2:-.}
mkdir -p "$out"
shot="$out/window_probe.png"
work=$(mktemp -d)
xvfb_pid=""
probe_pid=""

cleanup() {
  if [ -n "$probe_pid" ]; then kill "$probe_pid" 2>/dev/null || true; wait "$probe_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "window_probe: $*" >&2
  echo "--- probe output" >&2
  cat "$work/probe.log" "$work/probe.err" >&2 2>/dev/null || true
  exit 1
}

# Where the probe puts things on the screen (see WindowProbe.cpp).
form_x=100 form_y=80 form_w=400 form_h=300
panel_x=$((form_x + 50)) panel_y=$((form_y + 40)) panel_w=200 panel_h=120
caret_x=$((panel_x + 150)) caret_y=$((panel_y + 50))
popup_x=600 popup_y=400 popup_w=100 popup_h=60
form_rgb=336699 left_rgb=C08040 right_rgb=20A060 popup_rgb=E0E040 root_rgb=000000
caret_on_rgb=DF5F9F  # the right half's colour inverted

# Xvfb picks a free display number itself and writes it once it takes connections.
. "$(dirname "$0")/xvfb.sh"
start_xvfb "$work"

"$probe" >"$work/probe.log" 2>"$work/probe.err" &
probe_pid=$!
program_alive() { [ -z "$probe_pid" ] || kill -0 "$probe_pid" 2>/dev/null; }

wait_for_line() {
  wait_until "the line '$1'" grep -qx "$1" "$work/probe.log"
}

# Screen pixels as RRGGBB.
pixel() { screen_pixel "$@"; }
pixel_is() { [ "$(pixel "$1" "$2")" = "$3" ]; }
wait_pixel() {  # x y RRGGBB what
  wait_until "$4 showing $3 at ($1, $2)" pixel_is "$1" "$2" "$3"
}

wait_for_line ready
# An X error about a window that is gone (as SDL's wake-up of its event loop
# meets on a busy display) did not end the probe.
grep -qx "survived an event to a gone window" "$work/probe.log" || fail "an event to a gone window ended the probe"

# The title, set in GBK, reaches the desktop as UTF-8.
# (The probe has two windows: the form, and the pop-up without a title.)
window="" titles=""
for id in $(xdotool search --pid "$probe_pid"); do
  title=$(xdotool getwindowname "$id")
  titles="$titles '$title'"
  [ "$title" = "窗口 Probe" ] && window=$id
done
[ -n "$window" ] || fail "no window of the probe is titled '窗口 Probe': the titles are$titles"
# WM_NAME too, for desktops that read only that: typed for what it holds
# (COMPOUND_TEXT or UTF8_STRING), never UTF-8 bytes typed as Latin-1.
wm_name=$(grep '^wm-name ' "$work/probe.log")
title_hex=$(printf '%s' "窗口 Probe" | od -An -tx1 | tr -d ' \n' | tr a-f A-F)
case "$wm_name" in
  "wm-name COMPOUND_TEXT $title_hex" | "wm-name UTF8_STRING $title_hex") ;;
  *) fail "WM_NAME reads as '$wm_name', not the title ($title_hex)" ;;
esac
# Windows present plain software surfaces: no OpenGL driver is loaded.
gl_libraries=$(grep -oE '[^/ ]*(libGLX?|libEGL|libOpenGL|_dri|swrast)[^/ ]*\.so[^/ ]*' "/proc/$probe_pid/maps" | sort -u | tr '\n' ' ' || true)
[ -z "$gl_libraries" ] || fail "the probe loaded OpenGL libraries: $gl_libraries"

char_count() { grep -c '^char ' "$work/probe.log" || true; }

# Types one character that is not on the keyboard map and waits until the
# probe has it. xdotool lends the character a spare key for as long as the
# key is held (half the delay after the press); a program that looks the key
# up after that moment (a busy machine) sees the next character lent, or
# none. One character at a time, held for a second and retried when nothing
# came, removes that race from the check.
type_unmapped() {
  local want before deadline
  want=$(printf '%s' "$1" | iconv -f UTF-8 -t GBK | wc -c)
  for _ in 1 2 3; do
    before=$(char_count)
    LC_ALL=C.UTF-8 xdotool type --delay 2000 "$1"
    deadline=$((SECONDS + e2e_limit / 3))
    while [ "$SECONDS" -lt "$deadline" ]; do
      [ $(($(char_count) - before)) -ge "$want" ] && return 0
      program_alive || fail "the probe ended while waiting for '$1'"
      sleep 0.1
    done
  done
  fail "the probe never received '$1'"
}

# Typed text has arrived: the probe holds at least this many characters.
chars_at_least() { [ "$(char_count)" -ge "$1" ]; }

# Clicks arrive at the client positions of the panel and of the pop-up,
# each clicked once it is on the screen.
wait_pixel $((panel_x + 13)) $((panel_y + 7)) $left_rgb "the panel"
xdotool mousemove --sync $((panel_x + 13)) $((panel_y + 7)) click 1
wait_for_line "click 13 7"
wait_pixel $((popup_x + 7)) $((popup_y + 9)) $popup_rgb "the pop-up"
xdotool mousemove --sync $((popup_x + 7)) $((popup_y + 9)) click 1
wait_for_line "popup-click 7 9"
# ASCII through the keyboard map, Enter as a key that becomes a character,
# Chinese through keys xdotool maps to the characters' keysyms.
ascii='Hi, 1+1=2!'
chinese_chars=(中 文 输 入)
chinese=$(printf '%s' "${chinese_chars[@]}")
xdotool type --delay 30 "$ascii"
xdotool key Return
wait_until "the ASCII text and Enter" chars_at_least $((${#ascii} + 1))
for ch in "${chinese_chars[@]}"; do
  type_unmapped "$ch"
done
# GBK text goes to the clipboard as UTF-8 and comes back as GBK.
clip_text='剪贴板 clip'
xdotool key F2
wait_for_line "clipboard .*"
# A requestor that is gone before its answer: the X error this causes is
# logged, and the probe goes on (it must still take the keys below).
xdotool key F4
wait_for_line "requestor gone"
for _ in $(seq 50); do
  grep -q "X protocol error ignored: BadWindow" "$work/probe.err" && break
  kill -0 "$probe_pid" 2>/dev/null || fail "the probe ended after the clipboard requestor went away"
  sleep 0.1
done
grep -q "X protocol error ignored: BadWindow" "$work/probe.err" || fail "no X error was logged for the vanished requestor"

# The screenshot: the painted pattern sits where the windows are, to the pixel.
import -window root "$shot"
check_pixel() {  # x y expected what
  local got
  got=$(convert "$shot" -format "%[hex:u.p{$1,$2}]" info: | cut -c1-6 | tr a-f A-F)
  [ "$got" = "$3" ] || fail "pixel ($1, $2), $4: expected $3, got $got (see $shot)"
}
check_pixel $((panel_x + 10)) $((panel_y + 10)) $left_rgb "panel, left half"
check_pixel $((panel_x + panel_w - 10)) $((panel_y + panel_h - 10)) $right_rgb "panel, right half"
check_pixel $panel_x $panel_y $left_rgb "panel, top-left pixel"
check_pixel $((panel_x + panel_w / 2 - 1)) $((panel_y + 60)) $left_rgb "panel, last column of the left half"
check_pixel $((panel_x + panel_w / 2)) $((panel_y + 60)) $right_rgb "panel, first column of the right half"
check_pixel $((panel_x - 1)) $((panel_y - 1)) $form_rgb "form, just outside the panel"
check_pixel $((panel_x + panel_w)) $((panel_y + panel_h)) $form_rgb "form, just past the panel"
check_pixel $form_x $form_y $form_rgb "form, top-left pixel"
check_pixel $((form_x + form_w - 1)) $((form_y + form_h - 1)) $form_rgb "form, bottom-right pixel"
check_pixel $((form_x - 1)) $((form_y - 1)) $root_rgb "screen, outside the form"
check_pixel $((form_x + form_w)) $((form_y + form_h)) $root_rgb "screen, past the form"
check_pixel $popup_x $popup_y $popup_rgb "pop-up, top-left pixel"
check_pixel $((popup_x + popup_w - 1)) $((popup_y + popup_h - 1)) $popup_rgb "pop-up, bottom-right pixel"
check_pixel $((popup_x - 1)) $((popup_y - 1)) $root_rgb "screen, outside the pop-up"
check_pixel $((popup_x + popup_w)) $((popup_y + popup_h)) $root_rgb "screen, past the pop-up"

# The caret blinks: its pixels are seen inverted and plain within a few periods.
seen_on="" seen_off=""
caret_seen_both() {
  case "$(pixel $((caret_x + 1)) $((caret_y + 8)))" in
    "$caret_on_rgb") seen_on=1 ;;
    "$right_rgb") seen_off=1 ;;
    *) fail "caret pixel is neither $caret_on_rgb nor $right_rgb" ;;
  esac
  [ -n "$seen_on" ] && [ -n "$seen_off" ]
}
wait_until "the caret blinking on and off" caret_seen_both

# The pop-up goes, and the keyboard comes back to the form: typing goes on.
xdotool key F3
wait_for_line "popup hidden"
wait_pixel $((popup_x + 5)) $((popup_y + 5)) $root_rgb "the screen where the pop-up was"
before=$(char_count)
xdotool type --delay 30 "ok"
wait_until "typing after the pop-up went (else the keyboard is lost)" chars_at_least $((before + 2))

# Escape ends the probe, cleanly.
xdotool key Escape
wait_ended "$probe_pid" "on Escape"
status=0
wait "$probe_pid" || status=$?
probe_pid=""
[ "$status" -eq 0 ] || fail "the probe ended with status $status"

# What the program received.
hex() { od -An -tx1 | tr a-f A-F | tr -s ' ' '\n' | sed '/^$/d'; }
expected_chars=$( { printf '%s' "$ascii" | hex; echo 0D; printf '%s' "$chinese" | iconv -f UTF-8 -t GBK | hex
                    printf 'ok' | hex; echo 1B; } )
got_chars=$(sed -n 's/^char //p' "$work/probe.log")
[ "$got_chars" = "$expected_chars" ] ||
  fail "characters differ: expected $(tr '\n' ' ' <<<"$expected_chars"), got $(tr '\n' ' ' <<<"$got_chars")"
got_clicks=$(grep 'click' "$work/probe.log" | tr '\n' ';' || true)
[ "$got_clicks" = "click 13 7;popup-click 7 9;" ] || fail "clicks: got '$got_clicks'"
joined() { hex | tr -d '\n'; }
expected_clip="clipboard $(printf '%s' "$clip_text" | joined) / $(printf '%s' "$clip_text" | iconv -f UTF-8 -t GBK | joined)"
got_clip=$(grep '^clipboard' "$work/probe.log")
[ "$got_clip" = "$expected_clip" ] || fail "clipboard: expected '$expected_clip', got '$got_clip'"
# The form became active once, and neither the pop-up nor the keyboard's
# moves between the two windows took that away.
got_activation=$(grep '^activate' "$work/probe.log" | tr '\n' ';')
[ "$got_activation" = "activate 1;" ] || fail "activation of the form: got '$got_activation'"

echo "window_probe: clicks, ASCII and Chinese text, clipboard, activation, title, pixels and caret as expected on $DISPLAY"
