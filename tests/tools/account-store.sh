#!/usr/bin/env bash
# Drives account-store as a user would: every command, its output, its exit
# status and its one-line errors.
#   account-store.sh PATH/TO/account-store
set -uo pipefail
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data"
store="$XDG_DATA_HOME/account-tool/master.db"
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# expect STATUS COMMAND... : runs the command, keeps its output in $out and
# its standard error in $err, and checks the exit status.
expect() {
  local want=$1; shift
  out=$("$@" 2>"$work/err"); local got=$?
  err=$(cat "$work/err")
  [ "$got" -eq "$want" ] || fail "$* exited with $got, not $want (stderr: $err)"
}
contains() { [[ "$1" == *"$2"* ]] || fail "expected \"$2\" in: $1"; }
one_line() { [ "$(printf '%s\n' "$1" | wc -l)" -eq 1 ] || fail "not one line: $1"; }

expect 0 "$tool" --help
contains "$out" "Usage: account-store"
expect 2 "$tool"
one_line "$err"
expect 2 "$tool" frobnicate
contains "$err" "account-store: unknown command frobnicate"

# Nothing exists yet, and listing does not make a store.
expect 1 "$tool" list
contains "$err" "does not exist"
one_line "$err"
[ ! -e "$store" ] || fail "list made a store"

# The demo store: a password printed once, Chinese account sets, a private file.
expect 0 "$tool" init --demo
contains "$out" "The password of sa is "
password=$(printf '%s\n' "$out" | sed -n 's/^The password of sa is \([^ ]*\) .*/\1/p')
[ ${#password} -eq 12 ] || fail "the demo password \"$password\" is not 12 characters"
[ "$(stat -c %a "$store")" = 600 ] || fail "the store is not private: $(stat -c %a "$store")"
expect 0 "$tool" list
contains "$out" "AccountName,AccountDb,Tag"
contains "$out" "演示账套,demo_2024,0"
[ "$(printf '%s\n' "$out" | wc -l)" -eq 6 ] || fail "the demo store does not hold 5 account sets"
expect 1 "$tool" init --demo
contains "$err" "exists already"
expect 0 "$tool" init --demo --if-missing
[ -z "$out" ] || fail "--if-missing printed: $out"

# add, with and without --hidden; a duplicate name fails and adds nothing.
expect 0 "$tool" add "新账套" new_db --hidden
expect 0 "$tool" add plain plain_db
expect 1 "$tool" add plain other_db
one_line "$err"
expect 2 "$tool" add lonely
expect 2 "$tool" add a b --invisible
expect 0 "$tool" list
contains "$out" "新账套,new_db,1"
contains "$out" "plain,plain_db,0"

# import: quoting, CR LF, a byte order mark; all rows or none.
printf '\xEF\xBB\xBFAccountName,AccountDb,Tag\r\n"逗号,""引号""账套",db1,1\r\n\r\nthird,db3,\r\n' > "$work/good.csv"
expect 0 "$tool" import "$work/good.csv"
contains "$out" "Imported 2 account sets"
expect 0 "$tool" list
contains "$out" '"逗号,""引号""账套",db1,1'
contains "$out" "third,db3,0"
printf 'AccountName,AccountDb,Tag\nfresh,db,0\nplain,dup,0\n' > "$work/dup.csv"
expect 1 "$tool" import "$work/dup.csv"
expect 0 "$tool" list
[[ "$out" != *fresh* ]] || fail "a failed import left a row behind"
printf 'Name,Db,Tag\nx,y,0\n' > "$work/header.csv"
expect 1 "$tool" import "$work/header.csv"
contains "$err" "header"
printf 'AccountName,AccountDb,Tag\nx,y\n' > "$work/short.csv"
expect 1 "$tool" import "$work/short.csv"
contains "$err" "line 2: expected 3 fields"
printf 'AccountName,AccountDb,Tag\n"open,y,0\n' > "$work/open.csv"
expect 1 "$tool" import "$work/open.csv"
contains "$err" "not closed"
expect 1 "$tool" import "$work/missing.csv"

# Characters the store's code page lacks (Korean, emoji) would come back as
# "?", and two names could become one: refused, naming the row, and nothing
# of the command is stored.
before=$("$tool" list)
expect 1 "$tool" add "한국 회사" kr_db
contains "$err" "한국 회사"
contains "$err" "cannot hold"
one_line "$err"
expect 1 "$tool" add emoji "db_😀"
contains "$err" "database name"
printf 'AccountName,AccountDb,Tag\nkeeps,db,0\n"회사",db,0\n' > "$work/korean.csv"
expect 1 "$tool" import "$work/korean.csv"
contains "$err" "line 3"
contains "$err" "회사"
one_line "$err"
expect 0 "$tool" list
[ "$out" = "$before" ] || fail "a refused add or import changed the store: $out"
[[ "$out" != *"?"* ]] || fail "a \"?\" reached the store: $out"

# A store the user may only read, in a folder it may not write to, can still
# be listed; writing to it fails with a message that says so. (Root may write
# any file, so as root the reader is the user nobody.)
reader=()
[ "$(id -u)" -eq 0 ] && reader=(runuser -u nobody --)
chmod 0711 "$work" "$XDG_DATA_HOME"
chmod 0755 "$(dirname "$store")"
chmod 0444 "$store"
expect 0 "${reader[@]}" "$tool" list
[ "$out" = "$before" ] || fail "a read-only store listed as: $out"
expect 1 "${reader[@]}" "$tool" add ro ro_db
contains "$err" "may only be read"
one_line "$err"
chmod 0600 "$store"
chmod 0700 "$(dirname "$store")"

# A store elsewhere, its password from standard input, then a new one.
other="$work/elsewhere/second.db"
mkdir -p "$work/elsewhere"
expect 0 bash -c "printf 'first pass\n' | '$tool' init --store '$other'"
[ -f "$other" ] || fail "--store was not used"
expect 0 bash -c "printf 'second\n' | '$tool' set-password --store='$other'"
expect 0 "$tool" list --store "$other"
[ "$out" = "AccountName,AccountDb,Tag" ] || fail "a new store is not empty: $out"
expect 1 bash -c "'$tool' init --store '$work/nopass.db' < /dev/null"
contains "$err" "no password"

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "account-store: all checks passed"
