#!/usr/bin/env bash
# The porters' tool end to end: build, list, add, extract, convert, and hostile input refused
# with a message and a non-zero exit, leaving existing files as they were.
set -u
tool=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
check() {  # description, then the command; fails when the command fails
  local what=$1; shift
  if ! "$@" >"$dir/out" 2>&1; then echo "FAIL: $what"; cat "$dir/out"; failures=$((failures + 1)); fi
}
refuse() {  # the command must fail with a message
  local what=$1; shift
  if "$@" >"$dir/out" 2>&1 || ! grep -q . "$dir/out"; then
    echo "FAIL (accepted or silent): $what"; cat "$dir/out"; failures=$((failures + 1)); fi
}

cat >"$dir/app.txt" <<'DESC'
resource 'STR ' 128 name "Title"
  pstring "Hello"
end
resource 'STR#' 200
  word 1
  pstring "one"
end
DESC
check "build" "$tool" build "$dir/app.txt" "$dir/app.rsr"
check "list" "$tool" list "$dir/app.rsr"
grep -q "'STR ' *128 *6 .*\"Title\"" "$dir/out" || { echo "FAIL: list shows the string"; cat "$dir/out"; failures=$((failures + 1)); }
printf 'raw data' >"$dir/data.bin"
check "add" "$tool" add "$dir/app.rsr" DATA 5 "$dir/data.bin" name Raw attrs 0x20
check "extract" "$tool" extract "$dir/app.rsr" DATA 5 "$dir/back.bin"
cmp -s "$dir/data.bin" "$dir/back.bin" || { echo "FAIL: extract gives back what add put"; failures=$((failures + 1)); }
check "extract a string" "$tool" extract "$dir/app.rsr" "STR " 128 "$dir/title.bin"
[ "$(od -An -tx1 "$dir/title.bin" | tr -d ' \n')" = "0548656c6c6f" ] || { echo "FAIL: string bytes"; failures=$((failures + 1)); }

be32() {  # a number as four big-endian bytes
  printf "\\x$(printf %02x $(($1 >> 24 & 255)))\\x$(printf %02x $(($1 >> 16 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))\\x$(printf %02x $(($1 & 255)))"
}
# AppleDouble and AppleSingle around the fork: magic, version 2, 16 filler bytes, one entry
# (resource fork, ID 2) at offset 38.
size=$(stat -c %s "$dir/app.rsr")
apple() {
  printf "$1"'\x00\x02\x00\x00'; head -c 16 /dev/zero; printf '\x00\x01'
  printf '\x00\x00\x00\x02\x00\x00\x00\x26'; be32 "$size"; cat "$dir/app.rsr"
}
apple '\x00\x05\x16\x07' >"$dir/._app"
apple '\x00\x05\x16\x00' >"$dir/app.as"
# MacBinary: version 0, the name "app", zeros up to the data fork's length (0) at 83 and the
# resource fork's at 87, zeros up to 128, then the fork.
{ printf '\x00\x03app'; head -c 78 /dev/zero; be32 0; be32 "$size"; head -c 37 /dev/zero
  cat "$dir/app.rsr"; } >"$dir/app.bin"
check "convert AppleDouble" "$tool" convert "$dir/._app" "$dir/converted.rsr"
cmp -s "$dir/app.rsr" "$dir/converted.rsr" || { echo "FAIL: converted fork differs"; failures=$((failures + 1)); }
for container in ._app app.as app.bin; do
  check "list $container" "$tool" list "$dir/$container"
  grep -q "'DATA' *5 *8 .*\"Raw\"" "$dir/out" || { echo "FAIL: list of $container"; cat "$dir/out"; failures=$((failures + 1)); }
  rm -f "$dir/back.bin"
  check "extract from $container" "$tool" extract "$dir/$container" DATA 5 "$dir/back.bin"
  cmp -s "$dir/data.bin" "$dir/back.bin" || { echo "FAIL: extract from $container"; failures=$((failures + 1)); }
done
cp "$dir/._app" "$dir/keep._app"
refuse "add to a container" "$tool" add "$dir/._app" DATA 9 "$dir/data.bin"
cmp -s "$dir/._app" "$dir/keep._app" || { echo "FAIL: add changed a container"; failures=$((failures + 1)); }

# Compressed data: the attribute 0x01 and the signature A89F6572 before the decompressor's
# header; the attribute alone is not compression. Every attribute bit is kept.
cat >"$dir/packed.txt" <<'DESC'
resource 'STR#' 300 attrs 0x01
  hex A89F6572 0012 08 01 00000100 00 00 0000 0000
  hex 0102030405
end
resource 'STR#' 301 attrs 0x01
  word 1
  pstring "plain"
end
DESC
check "build compressed" "$tool" build "$dir/packed.txt" "$dir/packed.rsr"
check "add every attribute bit" "$tool" add "$dir/packed.rsr" DATA 7 "$dir/data.bin" attrs 0xFF
check "list compressed" "$tool" list "$dir/packed.rsr"
grep -q "'STR#' *300 *23 *0x01 *compressed" "$dir/out" || { echo "FAIL: compressed resource listed"; cat "$dir/out"; failures=$((failures + 1)); }
grep "'STR#' *301" "$dir/out" | grep -q compressed && { echo "FAIL: attribute alone listed as compressed"; failures=$((failures + 1)); }
grep -q "'DATA' *7 *8 *0xFF" "$dir/out" || { echo "FAIL: attributes 0xFF kept"; cat "$dir/out"; failures=$((failures + 1)); }

"$tool" --help >"$dir/help" 2>&1
[ $? -eq 0 ] && grep -q "usage: zebres" "$dir/help" || { echo "FAIL: --help exits 0 with the usage"; cat "$dir/help"; failures=$((failures + 1)); }

cp "$dir/app.rsr" "$dir/keep.rsr"
printf 'not a resource file at all' >"$dir/junk"
head -c 300 "$dir/app.rsr" >"$dir/cut.rsr"
refuse "list of junk" "$tool" list "$dir/junk"
refuse "list of a cut file" "$tool" list "$dir/cut.rsr"
refuse "convert junk" "$tool" convert "$dir/junk" "$dir/keep.rsr"
refuse "add to junk" "$tool" add "$dir/junk" DATA 1 "$dir/data.bin"
refuse "bad type" "$tool" extract "$dir/app.rsr" STR 128 "$dir/x"
refuse "bad ID" "$tool" extract "$dir/app.rsr" DATA 99999 "$dir/x"
refuse "missing resource" "$tool" extract "$dir/app.rsr" DATA 6 "$dir/x"
printf 'resource %sTEXT%s 1\n  hex 0\nend\n' "'" "'" >"$dir/bad.txt"
refuse "bad description" "$tool" build "$dir/bad.txt" "$dir/keep.rsr"
refuse "no arguments" "$tool"
cmp -s "$dir/app.rsr" "$dir/keep.rsr" || { echo "FAIL: a refused run changed an existing file"; failures=$((failures + 1)); }
cmp -s "$dir/junk" <(printf 'not a resource file at all') || { echo "FAIL: junk was changed"; failures=$((failures + 1)); }

[ $failures -eq 0 ] && echo "resource tool: all checks passed"
exit $failures
