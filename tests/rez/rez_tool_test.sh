#!/usr/bin/env bash
# The rez and derez commands end to end: include directories, definitions, the output and the
# depfile, decompiling to a source that compiles back to the same file, selectors, and mistakes
# refused with a message and a non-zero exit, leaving an existing output as it was.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $1"; [ -f "$dir/out" ] && cat "$dir/out"; failures=$((failures + 1)); }
check() {  # description, then the command; fails when the command fails
  local what=$1; shift
  "$@" >"$dir/out" 2>&1 || fail "$what"
}
refuse() {  # the command must fail with a message
  local what=$1; shift
  if "$@" >"$dir/out" 2>&1 || ! grep -q . "$dir/out"; then fail "$what (accepted or silent)"; fi
}

mkdir -p "$dir/src" "$dir/inc"
cat >"$dir/inc/common.r" <<'R'
#define kAppName "Porter"
R
cat >"$dir/src/app.r" <<'R'
#include "Types.r"
#include "SysTypes.r"
#include "common.r"
#printf("building %s\n", kAppName)
resource 'STR ' (128, "Name", purgeable) { kAppName };
resource 'MENU' (128) { 128, textMenuProc, allEnabled, enabled, kAppName,
	{ "About " kAppName "\0xC9", noIcon, noKey, noMark, plain; "Quit", noIcon, "Q", noMark, plain } };
resource 'WIND' (128) { {40, 40, 240, 340}, documentProc, visible, goAway, kRefCon, "Main", centerMainScreen };
resource 'vers' (1) { 0x01, 0x00, release, 0x00, verUS, "1.0", $$Format("1.0, built %d", $$Year) };
data 'BLOB' (1) { $"0001 0203" };
R
check "rez" "$tool" rez -I "$dir/inc" -D kRefCon=0x1234 -o "$dir/app.rsr" --depfile "$dir/app.d" "$dir/src/app.r"
grep -qx "building Porter" "$dir/out" || fail "#printf writes its line"
grep -q "app.rsr: .*src/app.r .*inc/common.r" "$dir/app.d" || fail "the depfile names the sources read"
check "list" "$tool" list "$dir/app.rsr"
grep -q "'WIND' *128 *26" "$dir/out" || fail "the window template has its positioning word"
"$tool" extract "$dir/app.rsr" "STR " 128 "$dir/name.bin" && \
  [ "$(od -An -tx1 "$dir/name.bin" | tr -d ' \n')" = "06506f72746572" ] || fail "the string's bytes"

check "derez" "$tool" derez "$dir/app.rsr" -o "$dir/back.r"
grep -q "^resource 'MENU' (128)" "$dir/back.r" || fail "derez writes the menu as a resource statement"
grep -q "^data 'BLOB' (1)" "$dir/back.r" || fail "derez writes an undeclared type as data"
check "rez of the decompiled source" "$tool" rez -o "$dir/back.rsr" "$dir/back.r"
cmp -s "$dir/app.rsr" "$dir/back.rsr" || fail "rez, derez, rez gives the same file"
"$tool" derez "$dir/app.rsr" "WIND(128)" >"$dir/wind.r" 2>"$dir/out" || fail "derez with a selector"
grep -q "centerMainScreen" "$dir/wind.r" && ! grep -q "'MENU'" "$dir/wind.r" || fail "the selector keeps only the window"

SOURCE_DATE_EPOCH=0 "$tool" rez -o "$dir/dated.rsr" "$dir/src/app.r" -I "$dir/inc" -D kRefCon=1 >/dev/null 2>&1 || fail "rez with a fixed date"
"$tool" derez "$dir/dated.rsr" vers >"$dir/vers.r" 2>/dev/null && grep -q '"1.0, built 1970"' "$dir/vers.r" \
  || fail "SOURCE_DATE_EPOCH fixes the date"

cp "$dir/app.rsr" "$dir/keep.rsr"
printf '#include "Types.r"\nresource %sSTR %s (1) { 5 };\n' "'" "'" >"$dir/bad.r"
refuse "a mistake" "$tool" rez -o "$dir/keep.rsr" "$dir/bad.r"
grep -q "bad.r:2:23: expected a string" "$dir/out" || fail "the message names file, line and column"
refuse "a missing source" "$tool" rez -o "$dir/keep.rsr" "$dir/none.r"
refuse "no source" "$tool" rez -o "$dir/keep.rsr"
refuse "a missing include directory value" "$tool" rez -I
cmp -s "$dir/app.rsr" "$dir/keep.rsr" || fail "a refused run left the existing output alone"
printf 'junk' >"$dir/junk"
refuse "derez of junk" "$tool" derez "$dir/junk"
refuse "derez with a bad selector" "$tool" derez "$dir/app.rsr" "TOOLONG"
"$tool" rez --help >/dev/null 2>&1 || fail "rez --help succeeds"

[ $failures -eq 0 ] && echo "rez tool: all checks passed"
exit $failures
