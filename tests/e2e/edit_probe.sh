#!/usr/bin/env bash
# End-to-end check of the labelled edit on the SDL display, typed at through
# a real input method: starts Xvfb, a D-Bus session and the IBus daemon with
# its pinyin engine (in a home folder of its own, so that no learnt choice
# changes the candidates), runs the edit probe (EditProbe.cpp) with SDL
# talking to IBus, and checks:
#   - pinyin typed into a field and committed lands there as GBK (中文);
#   - the input method is told where the caret is, so its candidate window
#     follows it (IBus's SetCursorLocation, watched on its bus);
#   - the clipboard carries the Chinese text out (read by xclip) and in
#     (offered by xclip, pasted with Ctrl+V);
#   - Enter moves to the next field, whose exit check reads "1,234.5" as
#     1234.5; the command button answers a click, Enter and the space bar.
#
#   edit_probe.sh <e2e_edit_probe program> [folder for the screenshot]
set -euo pipefail

probe=$1
out=${2:-.}
mkdir -p "$out"
shot="$out/edit_probe.png"
work=$(mktemp -d)
xvfb_pid="" probe_pid="" monitor_pid="" bus_pid=""

cleanup() {
  if [ -n "$probe_pid" ]; then kill "$probe_pid" 2>/dev/null || true; wait "$probe_pid" 2>/dev/null || true; fi
  if [ -n "$monitor_pid" ]; then kill "$monitor_pid" 2>/dev/null || true; wait "$monitor_pid" 2>/dev/null || true; fi
  [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] && ibus exit >/dev/null 2>&1 || true
  if [ -n "$bus_pid" ]; then kill "$bus_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "edit_probe: $*" >&2
  import -window root "$out/edit_probe_failure.png" 2>/dev/null && echo "screen at the failure: $out/edit_probe_failure.png" >&2
  echo "--- probe output" >&2
  cat "$work/probe.log" "$work/probe.err" >&2 2>/dev/null || true
  echo "--- input method" >&2
  cat "$work/ibus.log" >&2 2>/dev/null || true
  exit 1
}

for tool in ibus-daemon ibus dbus-launch dbus-monitor xclip xdotool; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps test installs it)"
done
[ -e /usr/share/ibus/component/pinyin.xml ] || fail "the IBus pinyin engine is missing (scripts/deps test installs it)"

. "$(dirname "$0")/xvfb.sh"
start_xvfb "$work"
program_alive() { [ -z "$probe_pid" ] || kill -0 "$probe_pid" 2>/dev/null; }

# ---- The input method ------------------------------------------------------------

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
export XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
eval "$(dbus-launch --sh-syntax)"
bus_pid=$DBUS_SESSION_BUS_PID
ibus-daemon --daemonize --replace --panel=disable --config=default >"$work/ibus.log" 2>&1
ibus_up() { local a; a=$(ibus address 2>/dev/null) && [ -n "$a" ] && [ "$a" != "(null)" ]; }
wait_until "the IBus daemon" ibus_up
pinyin_listed() { ibus list-engine 2>/dev/null | grep -qw pinyin; }
wait_until "the pinyin engine in IBus's list" pinyin_listed
dbus-monitor --address "$(ibus address)" "interface='org.freedesktop.IBus.InputContext',member='SetCursorLocation'" \
  >"$work/monitor.log" 2>&1 &
monitor_pid=$!

# SDL talks to IBus itself over D-Bus.
export SDL_IM_MODULE=ibus XMODIFIERS=@im=ibus
"$probe" >"$work/probe.log" 2>"$work/probe.err" &
probe_pid=$!

wait_for_line() { wait_until "the line '$1'" grep -qx "$1" "$work/probe.log"; }
lines_matching() { grep -c "$1" "$work/probe.log" || true; }
# At least N lines match: polled, so counted afresh each time.
lines_at_least() { [ "$(lines_matching "$1")" -ge "$2" ]; }
hex() { od -An -tx1 | tr a-f A-F | tr -d ' \n'; }
gbk_hex() { printf '%s' "$1" | iconv -f UTF-8 -t GBK | hex; }

wait_for_line ready
window=""
find_probe() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$probe_pid" 2>/dev/null || true); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "编辑 Probe" ] && { window=$id; return 0; }
  done
  return 1
}
wait_until "the probe's window" find_probe
click_at() {  # client x y
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
}
# ---- Chinese through the input method ------------------------------------------------

click_at 180 29
wait_for_line "enter Name"
# The engine is set for the focused input context, once SDL has one.
next_set=0
engine_set() {
  [ "$(ibus engine 2>/dev/null)" = "$1" ] && return 0
  # A switch takes a moment to show: ask again only now and then.
  if [ "$SECONDS" -ge "$next_set" ]; then
    ibus engine "$1" >>"$work/ibus.log" 2>&1 || true
    next_set=$((SECONDS + 2))
  fi
  return 1
}
wait_until "the pinyin engine on" engine_set pinyin
xdotool type --delay 80 zhongwen
xdotool key space
wait_for_line "text Name $(gbk_hex 中文)"

# The candidate window follows the caret: the input method was told the
# caret's place on the screen after the text went in.
xdotool key F2
wait_until "the caret's place" grep -q '^caret [0-9]' "$work/probe.log"
read -r _ caret_x caret_y caret_h < <(grep '^caret ' "$work/probe.log" | tail -n1)
told_caret() {
  # The arguments of the last SetCursorLocation: x, y, width, height.
  local args
  args=$(grep -A4 'member=SetCursorLocation' "$work/monitor.log" | grep -o 'int32 -\?[0-9]*' | awk '{print $2}' | tail -n4 | tr '\n' ' ')
  [ "$args" = "$caret_x $caret_y 1 $caret_h " ]
}
wait_until "IBus told of the caret at ($caret_x, $caret_y), $caret_h high" told_caret

# ---- The clipboard, both ways -------------------------------------------------------

next_set=0
wait_until "the plain keyboard engine" engine_set xkb:us::eng
xdotool key ctrl+a ctrl+c
clipboard_is() { [ "$(xclip -selection clipboard -o 2>/dev/null)" = "$1" ]; }
wait_until "the field's text on the clipboard" clipboard_is 中文
# xclip stays as the clipboard's owner until the display goes; it has nothing to say then.
printf '%s' '剪贴 clip' | xclip -selection clipboard -i 2>/dev/null
wait_until "xclip holding the clipboard" clipboard_is '剪贴 clip'
xdotool key End ctrl+v
wait_for_line "text Name $(gbk_hex '中文剪贴 clip')"

# ---- Keys of the fields and of the button ----------------------------------------------

xdotool key Return
wait_for_line "enter Amount"
xdotool type --delay 40 '1,234.5'
wait_for_line "text Amount $(gbk_hex '1,234.5')"
# Enter in the last field goes round to the first (the button is no tab
# stop); leaving Amount checks its number.
xdotool key Return
wait_until "Name entered again" lines_at_least '^enter Name$' 2
wait_for_line "text Amount $(gbk_hex 1234.5)"
click_at 114 95
wait_until "a click" lines_at_least '^click$' 1
xdotool key Return
wait_until "a click by Enter" lines_at_least '^click$' 2
xdotool key space
wait_until "a click by the space bar" lines_at_least '^click$' 3

import -window root "$shot" || echo "edit_probe: no screenshot" >&2

# Escape in a field ends the probe, cleanly.
click_at 180 29
wait_until "Name entered a third time" lines_at_least '^enter Name$' 3
xdotool key Escape
wait_ended "$probe_pid" "on Escape"
status=0
wait "$probe_pid" || status=$?
probe_pid=""
[ "$status" -eq 0 ] || fail "the probe ended with status $status"
echo "edit_probe: pinyin through IBus, the candidate window at the caret, the clipboard both ways, the fields' and the button's keys as expected on $DISPLAY"
