#!/usr/bin/env bash
# End-to-end check of account-tool: the real program on its own Xvfb, driven
# by xdotool as a user would drive it, against a real database.
#
#   account_tool.sh store TOOL STORE-TOOL [OUT]
#       against the embedded store made by account-store: sign in, tick row
#       2, save, dismiss the message, leave; then check the stored flags.
#       Then sign in with a wrong password: the failure message shows and
#       nothing changes. Without a display the program says so (status 1).
#   account_tool.sh postgresql TOOL [OUT]
#       the same sign-in, tick and save against PostgreSQL through the ODBC
#       data source that pg-cluster.sh defines, typed as the server name with
#       the cluster's password (which holds ";", "=" and a blank). Run it
#       inside pg-cluster.sh run.
#
# OUT receives a screenshot of each step (default: a temporary folder).
set -euo pipefail

mode=$1
tool=$2
if [ "$mode" = store ]; then
  store_tool=$3
  out=${4:-}
else
  out=${3:-}
fi
work=$(mktemp -d)
out=${out:-$work/shots}
mkdir -p "$out"
xvfb_pid=""
tool_pid=""

cleanup() {
  if [ -n "$tool_pid" ]; then kill "$tool_pid" 2>/dev/null || true; wait "$tool_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "account_tool ($mode): $*" >&2
  import -window root "$out/failure.png" 2>/dev/null && echo "screen at the failure: $out/failure.png" >&2
  echo "--- program output" >&2
  cat "$work/tool.log" >&2 2>/dev/null || true
  exit 1
}
# A command that fails outside a check names itself.
set -E
trap 'fail "line $LINENO: \"$BASH_COMMAND\" failed"' ERR

# ---- The display ---------------------------------------------------------------

. "$(dirname "$0")/xvfb.sh"
start_xvfb "$work"

# ---- Waiting for effects ---------------------------------------------------------

# Besides the waiting of xvfb.sh: the grid shows the account sets before a
# box in it is clicked, the box is drawn ticked before 保存. Keys and clicks
# reach the program in the order they are sent, so what is typed into the
# login dialog is checked by the sign-in's outcome.
program_alive() { [ -z "$tool_pid" ] || kill -0 "$tool_pid" 2>/dev/null; }

# ---- Finding windows and places --------------------------------------------------

# The titles of the program's shown windows, one a line. (xdotool's --name
# does not match Chinese titles, so the titles are compared here.)
shown_titles() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$tool_pid" 2>/dev/null || true); do
    xdotool getwindowname "$id" 2>/dev/null || true
  done
}

# The program's shown window with exactly this title, if any.
find_window() {
  local id
  for id in $(xdotool search --onlyvisible --pid "$tool_pid" 2>/dev/null || true); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] && { echo "$id"; return 0; }
  done
  return 1
}

# The id of the window with this title, once it is shown.
window_named() {
  wait_until "the window '$1'" find_window "$1" >/dev/null
  find_window "$1"
}

# No window with this title, seen twice in a row: a search that races with a
# window being mapped or unmapped can miss it once.
window_absent() {
  ! find_window "$1" >/dev/null && sleep 0.1 && ! find_window "$1" >/dev/null
}

window_gone() {
  wait_until "the window '$1' to close" window_absent "$1"
}

# The main window is the program's only shown window: no dialog or message
# holds it disabled, so a click on it is not lost.
main_alone() {
  [ "$(shown_titles)" = "帐套工具" ]
}

# The window holds the keyboard: typed keys reach it.
has_focus() {
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}

# Sets X, Y, WIDTH and HEIGHT to a window's place on the screen.
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
}

# Screen pixels as RRGGBB.
pixel() { screen_pixel "$@"; }

# Whether a window's client pixel (x, y) has the colour.
client_pixel_is() {  # window x y RRGGBB
  geometry "$1"
  [ "$(pixel $((X + $2)) $((Y + $3)))" = "$4" ]
}

# Waits until a window's client pixel (x, y) has the colour: it has painted.
wait_painted() {  # window x y RRGGBB
  wait_until "window $1 showing $4 at ($2, $3)" client_pixel_is "$@"
}

# A click at a client point of a shown window; a click on the main window
# waits until no dialog or message is left over it.
window_on_screen() { xdotool getwindowgeometry "$1" >/dev/null 2>&1; }
click_in() {  # window x y
  wait_until "window $1 on the screen" window_on_screen "$1"
  [ "$1" = "${main:-}" ] && wait_until "the main window without a dialog over it" main_alone
  geometry "$1"
  xdotool mousemove --sync $((X + $2)) $((Y + $3)) click 1
}

# A picture for people to look at; a busy X server may refuse one.
shot() {
  import -window root "$out/$1.png" || echo "account_tool ($mode): no screenshot $1" >&2
}

# Where the controls are, in client coordinates of their windows (from the
# form descriptions: the grid inside its two-pixel sunken edge, the edits
# inside the centre panel's six-pixel band, which is plain light grey).
main_login=(186 227) main_save=(266 227) main_exit=(346 227)
main_row2_box=(285 83)
main_heading=(20 48)
login_server=(178 48) login_password=(178 96) login_confirm=(154 161)
login_band=(2 20)
# The grid's rows are 17 pixels apart. In the 隐藏 column, a pixel of the
# tick inside a row's box and the top-left corner of the box's frame.
row_height=17
tick_x=282 tick_row2_y=83
box_corner_x=279 box_corner_row2_y=77
# A message box: a pixel of its icon (client coordinates).
message_icon=(20 34)

# Whether row r's box in the 隐藏 column is drawn ticked (1) or clear (0).
box_drawn() {  # row 0|1
  local colour=FFFFFF
  [ "$2" = 1 ] && colour=000000
  client_pixel_is "$main" "$tick_x" $((tick_row2_y + ($1 - 2) * row_height)) "$colour"
}

# The grid shows the three account sets of both runs: before the sign-in it
# has five empty rows, every box drawn ticked; once the table is read, row 4
# and its box are gone and row 2 (an account set that is not hidden in
# either run) is drawn clear.
grid_loaded() {
  client_pixel_is "$main" "$box_corner_x" $((box_corner_row2_y + 2 * row_height)) FFFFFF && box_drawn 2 0
}

# Dismisses a message box by its OK button, the one button at the bottom
# centre, once the box has painted: its icon when its colour is given
# (0000FF information, FFFF00 warning), else its face.
dismiss() {  # window title [icon-colour]
  if [ -n "${3:-}" ]; then
    wait_painted "$1" "${message_icon[@]}" "$3"
  else
    wait_painted "$1" 5 5 EBEBEB
  fi
  geometry "$1"
  xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT - 23)) click 1
  window_gone "$2"
}

start_tool() {
  "$tool" >"$work/tool.log" 2>&1 &
  tool_pid=$!
  main=$(window_named "帐套工具")
  wait_painted "$main" "${main_heading[@]}" EBEBEB
}

stop_tool() {
  click_in "$main" "${main_exit[@]}"
  wait_ended "$tool_pid" "on 退出"
  local status=0
  wait "$tool_pid" || status=$?
  tool_pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# Clicks 登录, types the server name (when given) and the password, clicks 确认.
sign_in() {  # password [server]
  click_in "$main" "${main_login[@]}"
  local login
  login=$(window_named "登录")
  wait_painted "$login" "${login_band[@]}" EBEBEB
  wait_until "the keyboard at the login dialog" has_focus "$login"
  if [ $# -gt 1 ]; then
    click_in "$login" "${login_server[@]}"
    xdotool key ctrl+a
    xdotool type --delay 40 "$2"
  fi
  click_in "$login" "${login_password[@]}"
  xdotool type --delay 40 "$1"
  # Only for the picture: the last keys painted.
  sleep 0.3
  shot "${shot_prefix}login"
  click_in "$login" "${login_confirm[@]}"
  window_gone "登录"
}

# Waits for the account sets, ticks row 2, saves, checks the message and
# dismisses it.
tick_and_save() {
  wait_until "the account sets in the grid" grid_loaded
  click_in "$main" "${main_row2_box[@]}"
  wait_until "row 2's box drawn ticked" box_drawn 2 1
  shot "${shot_prefix}ticked"
  click_in "$main" "${main_save[@]}"
  local box
  box=$(window_named "提示")
  wait_painted "$box" "${message_icon[@]}" 0000FF
  shot "${shot_prefix}saved"
  dismiss "$box" "提示" 0000FF
}

# ---- The runs ------------------------------------------------------------------------

case "$mode" in
store)
  export XDG_DATA_HOME="$work/data"
  password='sa pass;1'
  printf '%s\n' "$password" | "$store_tool" init >/dev/null
  "$store_tool" add 演示账套 demo_2024
  "$store_tool" add 北京分公司 beijing_2024
  "$store_tool" add 上海分公司 shanghai_2024 --hidden

  # Without a display the program says so and ends with status 1.
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$tool" >"$work/nodisplay.log" 2>&1 || status=$?
  [ "$status" -eq 1 ] || fail "without a display the program ended with status $status"
  grep -q "no display" "$work/nodisplay.log" || fail "without a display the program said: $(cat "$work/nodisplay.log")"

  shot_prefix=store-
  start_tool
  sign_in "$password"
  tick_and_save
  stop_tool
  expected=$'AccountName,AccountDb,Tag\n演示账套,demo_2024,0\n北京分公司,beijing_2024,1\n上海分公司,shanghai_2024,1'
  got=$("$store_tool" list)
  [ "$got" = "$expected" ] || fail "stored flags after saving: expected
$expected
got
$got"

  # A wrong password: the failure message, and nothing changes.
  shot_prefix=wrong-
  before=$got
  start_tool
  sign_in "wrong"
  box=$(window_named "错误")
  wait_painted "$box" "${message_icon[@]}" FFFF00
  shot "wrong-message"
  dismiss "$box" "错误" FFFF00
  # Save does nothing while not signed in: no message comes. (Had one come,
  # its modal loop would also swallow the click on 退出 that follows.)
  click_in "$main" "${main_save[@]}"
  sleep 0.5
  find_window "提示" >/dev/null && fail "Save showed a message without a sign-in"
  stop_tool
  got=$("$store_tool" list)
  [ "$got" = "$before" ] || fail "a failed sign-in changed the store: $got"

  # A save rejected by a conflict shows the error; the next save then writes
  # the user's other change and says so.
  store_db="$XDG_DATA_HOME/account-tool/master.db"
  # The application's error display: a shown window of the program other
  # than the main window. Waits for it, then for it to go once answered.
  other_window() {
    local id
    for _ in $(seq 100); do
      for id in $(xdotool search --onlyvisible --pid "$tool_pid" 2>/dev/null || true); do
        [ "$id" != "$main" ] && { echo "$id"; return 0; }
      done
      sleep 0.1
    done
    fail "no message came"
  }
  dismiss_error() {
    local id
    id=$(other_window)
    sleep 0.3
    shot "${shot_prefix}error"
    geometry "$id"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT - 23)) click 1
    for _ in $(seq 100); do
      xdotool search --onlyvisible --pid "$tool_pid" 2>/dev/null | grep -qx "$id" || return 0
      sleep 0.1
    done
    fail "the message did not close"
  }
  main_row1_box=(285 66) main_row3_box=(285 100)
  shot_prefix=conflict-
  start_tool
  sign_in "$password"
  click_in "$main" "${main_row1_box[@]}"   # tick 演示账套
  click_in "$main" "${main_row3_box[@]}"   # clear 上海分公司
  sqlite3 "$store_db" "UPDATE TsAccount SET Tag = 1, AccountDb = 'theirs' WHERE AccountName = '演示账套'"
  click_in "$main" "${main_save[@]}"
  dismiss_error
  find_window "提示" >/dev/null && fail "a rejected save claimed success"
  click_in "$main" "${main_save[@]}"
  box=$(window_named "提示")
  dismiss "$box" "提示" 0000FF
  stop_tool
  got=$("$store_tool" list)
  expected=$'AccountName,AccountDb,Tag\n演示账套,theirs,1\n北京分公司,beijing_2024,1\n上海分公司,shanghai_2024,0'
  [ "$got" = "$expected" ] || fail "after a rejected save and a second one: expected
$expected
got
$got"

  # A fill that fails (a column missing): the grid keeps rows it did not
  # fill, and saving writes none of them and does not claim success.
  shot_prefix=fill-
  sqlite3 "$store_db" "UPDATE TsAccount SET Tag = 0; ALTER TABLE TsAccount RENAME COLUMN AccountDb TO DbName"
  start_tool
  sign_in "$password"
  dismiss_error
  shot_prefix=fill-save-
  click_in "$main" "${main_save[@]}"
  dismiss_error
  find_window "提示" >/dev/null && fail "a save after a failed fill claimed success"
  stop_tool
  got=$(sqlite3 "$store_db" "SELECT group_concat(Tag, ',') FROM TsAccount")
  [ "$got" = "0,0,0" ] || fail "a save after a failed fill wrote flags: $got"
  ;;
postgresql)
  : "${ATS_PG_DSN:?run this inside pg-cluster.sh run}"
  psql_utf8() { PGCLIENTENCODING=UTF8 "$ATS_PG_PSQL" -X -q -v ON_ERROR_STOP=1 "$@"; }
  psql_utf8 <<'SQL'
INSERT INTO "TsAccount" VALUES ('演示账套', 'demo_2024', false), ('北京分公司', 'beijing_2024', false),
  ('上海分公司', 'shanghai_2024', true);
SQL
  shot_prefix=pg-
  start_tool
  sign_in "$ATS_PG_PASSWORD" "$ATS_PG_DSN"
  tick_and_save
  stop_tool
  # The table is read in key order: 上海分公司, 北京分公司, 演示账套; row 2 is 北京分公司.
  got=$(psql_utf8 -A -t -F ',' -c 'SELECT "AccountName", "Tag"::int FROM "TsAccount" ORDER BY "AccountDb"')
  expected=$'北京分公司,1\n演示账套,0\n上海分公司,1'
  [ "$got" = "$expected" ] || fail "PostgreSQL flags after saving: expected
$expected
got
$got"
  ;;
*)
  echo "usage: $0 store TOOL STORE-TOOL [OUT] | postgresql TOOL [OUT]" >&2
  exit 2
  ;;
esac

echo "account_tool ($mode): signed in, ticked, saved and checked the stored flags on $DISPLAY; screenshots in $out"
