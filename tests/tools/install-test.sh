#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what lands there:
# the three programs, which run from the prefix; the desktop entry, which
# desktop-file-validate accepts and which names the program and the icon;
# and the icon, a 48 by 48 PNG with an alpha channel.
#   install-test.sh BUILD-FOLDER
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for program in account-tool account-store form-convert; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing or not executable"
done
# The installed programs need nothing from the build or source folders.
usage=$("$prefix/bin/account-store" --help) || fail "the installed account-store does not run"
[[ "$usage" == *"Usage: account-store"* ]] || fail "the installed account-store said: $usage"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$prefix/bin/account-tool" >"$prefix/tool.log" 2>&1 || status=$?
[ "$status" -eq 1 ] && grep -q "no display" "$prefix/tool.log" ||
  fail "the installed account-tool without a display: status $status, said: $(cat "$prefix/tool.log")"

entry="$prefix/share/applications/account-tool.desktop"
[ -f "$entry" ] || fail "share/applications/account-tool.desktop is missing"
desktop-file-validate "$entry" || fail "desktop-file-validate refused the entry"
field() { sed -n "s/^$1=//p" "$entry"; }
[ "$(field Name)" = "帐套工具" ] || fail "Name is '$(field Name)'"
[ "$(field Categories)" = "Office;Database;" ] || fail "Categories is '$(field Categories)'"
[ "$(field Type)" = "Application" ] || fail "Type is '$(field Type)'"
[ -x "$prefix/bin/$(field Exec)" ] || fail "Exec '$(field Exec)' is not an installed program"

icon="$prefix/share/icons/hicolor/48x48/apps/$(field Icon).png"
[ -f "$icon" ] || fail "the icon $icon is missing"
# The PNG header: signature, then the IHDR chunk with width, height, bit
# depth 8 and colour type 6 (RGBA).
header=$(od -An -tx1 -N26 "$icon" | tr -d ' \n')
[ "${header:0:16}" = 89504e470d0a1a0a ] || fail "the icon is not a PNG file"
[ "${header:32:16}" = 0000003000000030 ] || fail "the icon is not 48 by 48 pixels"
[ "${header:48:4}" = 0806 ] || fail "the icon is not 8-bit RGBA"

echo "install: programs, desktop entry and icon in place under a temporary prefix"
