# Shared by the end-to-end scripts: a private X display and screen pixels.
# Source it, then call start_xvfb WORKDIR; the caller's cleanup kills
# $xvfb_pid. fail must be defined by the caller.

# Starts Xvfb on a display number it picks itself, waits until it takes
# connections, and exports DISPLAY for SDL's X11 driver.
start_xvfb() {
  local work=$1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -br 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
    sleep 0.1
  done
  [ -s "$work/display" ] || fail "Xvfb gave no display number"
  DISPLAY=":$(head -n1 "$work/display")"
  export DISPLAY
  unset WAYLAND_DISPLAY
  export SDL_VIDEODRIVER=x11
}

# The colour of a screen pixel as RRGGBB, from a fresh capture.
screen_pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 txt:- | sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | tail -n1 | tr a-f A-F
}
