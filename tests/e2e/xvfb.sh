# Shared by the end-to-end scripts: a private X display, screen pixels and
# waiting. Source it, then call start_xvfb WORKDIR; the caller's cleanup
# kills $xvfb_pid. The caller defines fail, and program_alive, which tells
# whether the program under test still runs.

# Every scripted step waits for its effect before the next one starts, never
# for a fixed time alone: a window shown and painted before it is clicked or
# typed at, a line printed, a pixel drawn. The limits are generous
# (E2E_WAIT seconds, default 60), so that a busy machine makes a run slower,
# not wrong.
e2e_limit=${E2E_WAIT:-60}

# Polls the command until it succeeds; fails, naming what did not happen,
# once the limit has passed or the program has ended.
wait_until() {  # what command...
  local what=$1 deadline=$((SECONDS + e2e_limit))
  shift
  until "$@"; do
    program_alive || fail "the program ended while waiting for $what"
    [ "$SECONDS" -lt "$deadline" ] || fail "$what: not seen within ${e2e_limit}s"
    sleep 0.1
  done
}

# Waits until the program has ended; its exit status is left to the caller.
wait_ended() {  # pid what
  local deadline=$((SECONDS + e2e_limit))
  while kill -0 "$1" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end $2 within ${e2e_limit}s"
    sleep 0.1
  done
}

# Starts Xvfb on a display number it picks itself, waits until it takes
# connections, and exports DISPLAY for SDL's X11 driver.
start_xvfb() {
  local work=$1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -br 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local deadline=$((SECONDS + e2e_limit))
  until [ -s "$work/display" ]; do
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
    [ "$SECONDS" -lt "$deadline" ] || fail "Xvfb gave no display number within ${e2e_limit}s"
    sleep 0.1
  done
  DISPLAY=":$(head -n1 "$work/display")"
  export DISPLAY
  unset WAYLAND_DISPLAY
  export SDL_VIDEODRIVER=x11
}

# The colour of a screen pixel as RRGGBB, from a fresh capture.
screen_pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tail -n1 | tr a-f A-F
}
