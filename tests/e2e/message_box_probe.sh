#!/usr/bin/env bash
# End-to-end check of the message box on the SDL display: starts Xvfb on a
# free display, runs the message box probe (MessageBoxProbe.cpp), and for
# each box it shows finds the window by its title, checks a pixel of the icon
# and of the default button's frame on the screen, answers it from the
# keyboard (Enter, Escape, Alt+N) and checks the answer the program got.
#
#   message_box_probe.sh <e2e_message_box_probe program> [folder for the screenshots]
set -euo pipefail

probe=$1
out=${2:-.}
mkdir -p "$out"
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
  echo "message_box_probe: $*" >&2
  import -window root "$out/message_box_probe.png" 2>/dev/null && echo "screen at the failure: $out/message_box_probe.png" >&2
  echo "--- probe output" >&2
  cat "$work/probe.log" "$work/probe.err" >&2 2>/dev/null || true
  exit 1
}

. "$(dirname "$0")/xvfb.sh"
start_xvfb "$work"

"$probe" >"$work/probe.log" 2>"$work/probe.err" &
probe_pid=$!
program_alive() { [ -z "$probe_pid" ] || kill -0 "$probe_pid" 2>/dev/null; }

# The answers come one a line; the nth answer line is this answer.
answer_is() {  # n answer
  [ "$(grep '^answer ' "$work/probe.log" | sed -n "$1p")" = "answer $2" ]
}
wait_for_line() {
  wait_until "the line '$1'" grep -qx "$1" "$work/probe.log"
}

# The shown window of the box with this title, if any.
find_box() {
  local id
  id=$(xdotool search --onlyvisible --pid "$probe_pid" --name "^$1\$" 2>/dev/null | head -n1 || true)
  [ -n "$id" ] && xdotool getwindowgeometry "$id" >/dev/null 2>&1 && echo "$id"
}

# The window of the box with this title, once it is on the screen.
box_window() {
  wait_until "a box titled '$1'" find_box "$1" >/dev/null
  find_box "$1"
}

# Checks a pixel of the client area (x y expected what), waiting for the
# first paint to reach the screen.
client_pixel_is() { [ "$(screen_pixel $((left + $1)) $((top + $2)))" = "$3" ]; }
check_client_pixel() {
  wait_until "box '$title', $4: pixel ($1, $2) of the client area showing $3" client_pixel_is "$1" "$2" "$3"
}

# Keys go to the window that holds the keyboard: the box, once it has it.
has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
wait_focus() {
  wait_until "the keyboard at the box '$title'" has_focus "$1"
}

# Where a box's client area is: SDL windows sit where they were placed.
locate() {
  local geometry
  geometry=$(xdotool getwindowgeometry --shell "$1")
  left=$(sed -n 's/^X=//p' <<<"$geometry")
  top=$(sed -n 's/^Y=//p' <<<"$geometry")
  width=$(sed -n 's/^WIDTH=//p' <<<"$geometry")
}

wait_for_line ready

# The warning box of the login: a yellow triangle at the left, the OK
# button (75 wide, centred) with its black default frame; Enter answers OK.
title=错误
box=$(box_window "$title")
locate "$box"
[ "$width" -eq 300 ] || fail "the warning box is $width wide, not 300"
check_client_pixel 20 34 FFFF00 "the warning triangle"
check_client_pixel $(((width - 75) / 2)) 58 000000 "the default frame of OK"
wait_focus "$box"
xdotool key Return
wait_until "the first answer, 1 (OK)" answer_is 1 1

# The information box: a blue disc; Escape answers OK, its only button.
title=提示
box=$(box_window "$title")
locate "$box"
check_client_pixel 20 34 0000FF "the information disc"
wait_focus "$box"
xdotool key Escape
wait_until "the second answer, 1 (OK)" answer_is 2 1

# The question: Alt+N answers No.
title=Question
box=$(box_window "$title")
locate "$box"
wait_focus "$box"
xdotool key alt+n
wait_until "the third answer, 7 (No)" answer_is 3 7

wait_ended "$probe_pid" "after the last answer"
status=0
wait "$probe_pid" || status=$?
probe_pid=""
[ "$status" -eq 0 ] || fail "the probe ended with status $status"
echo "message_box_probe: passed"
