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
  echo "--- probe output" >&2
  cat "$work/probe.log" "$work/probe.err" >&2 2>/dev/null || true
  exit 1
}

. "$(dirname "$0")/xvfb.sh"
start_xvfb "$work"

"$probe" >"$work/probe.log" 2>"$work/probe.err" &
probe_pid=$!

wait_for_line() {
  for _ in $(seq 150); do
    grep -qx "$1" "$work/probe.log" && return 0
    kill -0 "$probe_pid" 2>/dev/null || fail "the probe ended before printing '$1'"
    sleep 0.1
  done
  fail "timed out waiting for '$1'"
}

# The window of the box with this title, once it is on the screen.
box_window() {
  local id
  for _ in $(seq 150); do
    id=$(xdotool search --pid "$probe_pid" --name "^$1\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ] && xdotool getwindowgeometry "$id" >/dev/null 2>&1; then
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  fail "no box titled '$1'"
}

# Checks a pixel of the client area (x y expected what), waiting for the
# first paint to reach the screen.
check_client_pixel() {
  local got=""
  for _ in $(seq 50); do
    got=$(screen_pixel $((left + $1)) $((top + $2)))
    [ "$got" = "$3" ] && return 0
    sleep 0.1
  done
  import -window root "$out/message_box_probe.png"
  fail "box '$title', $4: pixel ($1, $2) of the client area is $got, not $3 (see $out/message_box_probe.png)"
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
locate "$(box_window "$title")"
[ "$width" -eq 300 ] || fail "the warning box is $width wide, not 300"
check_client_pixel 20 34 FFFF00 "the warning triangle"
check_client_pixel $(((width - 75) / 2)) 58 000000 "the default frame of OK"
xdotool key Return
wait_for_line "answer 1"

# The information box: a blue disc; Escape answers OK, its only button.
title=提示
locate "$(box_window "$title")"
check_client_pixel 20 34 0000FF "the information disc"
xdotool key Escape
wait_for_line "answer 1"

# The question: Alt+N answers No.
title=Question
locate "$(box_window "$title")"
xdotool key alt+n
wait_for_line "answer 7"

for _ in $(seq 100); do
  kill -0 "$probe_pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$probe_pid" 2>/dev/null && fail "the probe did not end after the last answer"
status=0
wait "$probe_pid" || status=$?
probe_pid=""
[ "$status" -eq 0 ] || fail "the probe ended with status $status"
echo "message_box_probe: passed"
