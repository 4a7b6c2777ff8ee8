#!/usr/bin/env bash
# End-to-end check of the combo drop-down on the SDL display: starts Xvfb,
# runs the combo probe (ComboProbe.cpp), which opens the list of a grid cell,
# clicks the list's second row with xdotool and checks that the list closed
# and the cell took the row's value.
#
#   combo_probe.sh <e2e_combo_probe program> [folder]
set -euo pipefail

probe=$1
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
  echo "combo_probe: $*" >&2
  cat "$work/probe.log" "$work/probe.err" >&2 2>/dev/null || true
  exit 1
}

. "$(dirname "$0")/xvfb.sh"
start_xvfb "$work"

"$probe" >"$work/probe.log" 2>"$work/probe.err" &
probe_pid=$!
program_alive() { [ -z "$probe_pid" ] || kill -0 "$probe_pid" 2>/dev/null; }

wait_until "the list to open" grep -q '^open ' "$work/probe.log"
read -r _ x y w h step < <(grep '^open ' "$work/probe.log")
[ "$w" -gt 0 ] && [ "$h" -gt 0 ] || fail "the list has no size: $w x $h"
# The list's window shows: its first row is not the root window's black.
row_x=$((x + 5)) row_y=$((y + step + step / 2))
painted() { [ "$(screen_pixel "$row_x" "$row_y")" != 000000 ]; }
wait_until "the list painted at ($row_x, $row_y)" painted
xdotool mousemove "$row_x" "$row_y"
xdotool click 1
# The probe ends by itself once the list has closed.
program_alive() { true; }
wait_until "the list to close" grep -q '^rollup ' "$work/probe.log"
grep -qx 'rollup banana' "$work/probe.log" || fail "the cell did not take the picked row: $(grep '^rollup' "$work/probe.log")"
wait "$probe_pid" || fail "the probe failed"
probe_pid=""
echo "combo_probe: ok"
