#!/usr/bin/env bash
# Drives form-convert: both directions through files and through standard
# input and output, the round trip back to the same text, and the one-line
# error with a non-zero exit for malformed input.
#   form-convert-test.sh <form-convert> <a form description in standard layout>
set -euo pipefail
tool=$1
form=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$tool" --to-binary "$form" "$dir/form.bin"
[ "$(head -c 4 "$dir/form.bin")" = "TPF0" ] || fail "no component stream signature"
"$tool" --to-text "$dir/form.bin" "$dir/form.txt"
cmp -s "$form" "$dir/form.txt" || fail "text -> binary -> text changed the text"
"$tool" --to-binary - - < "$dir/form.txt" > "$dir/again.bin"
cmp -s "$dir/form.bin" "$dir/again.bin" || fail "standard input/output gave other bytes"
"$tool" --to-binary "$dir/form.bin" "$dir/copy.bin"
cmp -s "$dir/form.bin" "$dir/copy.bin" || fail "a binary input to --to-binary was not copied"

expect_error() {  # <expected stderr> <tool arguments>...
    local expected=$1
    shift
    if "$tool" "$@" 2> "$dir/err" > /dev/null; then fail "no error for $*"; fi
    [ "$(cat "$dir/err")" = "$expected" ] || fail "stderr was '$(cat "$dir/err")', expected '$expected'"
}
printf 'object A: TX\n  Left 5\nend\n' > "$dir/bad.txt"
expect_error "form-convert: Expected '=' but found '5' on line 2" --to-binary "$dir/bad.txt" "$dir/bad.bin"
[ ! -e "$dir/bad.bin" ] || fail "output written despite the error"
head -c 30 "$dir/form.bin" > "$dir/short.bin"
expect_error "form-convert: Unexpected end of stream at byte offset 30" --to-text "$dir/short.bin" -
if "$tool" --to-text 2> /dev/null; then fail "no usage error"; fi
echo "form-convert: ok"
