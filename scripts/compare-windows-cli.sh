#!/usr/bin/env bash
# sumbrook-cli.exe under Wine against the Linux sumbrook-cli: the same lines,
# byte for byte, for the digest vector files, an empty file, a name no single
# ANSI code page holds and a folder ("\" read as "/" in the Windows paths);
# the error lines of a missing and of an unreadable file; and a --check round
# trip through a GNU checksum file.
#   scripts/compare-windows-cli.sh WINE WINESERVER WINDOWS_CLI LINUX_CLI SCRATCH
# with WINEPREFIX and the rest of Wine's environment set (scripts/test-windows.sh).
set -euo pipefail
wine=$1 wineserver=$2 windows=$(realpath "$3") linux=$(realpath "$4") work=$5
data=$(realpath tests/data)

# Wine reads the arguments in the locale's charset.
export LC_ALL=C.UTF-8
# Root reads any file: the Wine server, which opens the files, must run
# without that power for the unreadable file to stay unreadable.
nocap=()
if [ "$(id -u)" = 0 ]; then
  nocap=(setpriv --bounding-set=-dac_override,-dac_read_search --inh-caps=-dac_override,-dac_read_search)
  "$wineserver" -k 2>/dev/null || true
fi
win() { "${nocap[@]}" "$wine" "$windows" "$@"; }
fail() { echo "sumbrook-cli.exe: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/files/folder"
cd "$work"
cp "$data"/*.vec files/
: > files/empty
printf abc > 'files/名字 ü.txt'
printf 'The quick brown fox' > files/folder/fox
printf abc > files/folder/abc
checked=0

# The result lines. The checksum formats escape a "\" in a name, so their
# names are given with "/" alone.
set -- files/*.vec files/empty 'files/名字 ü.txt' files/folder
"$linux" --all "$@" > linux.out
win --all "$@" > windows.out
tr '\\' / < windows.out | cmp - linux.out || fail "--all prints other lines than on Linux"
checked=$((checked + 1))
for format in "--format=bsd --all" "--format=gnu --sha512" "--format=sfv --crc32"; do
  # shellcheck disable=SC2086 # the options are words
  "$linux" $format files/folder/* files/empty > linux.format
  # shellcheck disable=SC2086
  win $format files/folder/* files/empty > windows.format
  cmp windows.format linux.format || fail "$format prints other lines than on Linux"
  checked=$((checked + 1))
done

# A missing and an unreadable file: the lines of Linux (error lines for the
# unreadable one, the rest still done), status 1, and on standard error each
# says why in the system's words.
printf x > files/locked
chmod 0 files/locked
set -- --crc32 --md5 files/missing files/locked files/empty
status=0
"${nocap[@]}" "$linux" "$@" > linux.errors 2> /dev/null || status=$?
[ "$status" = 1 ] || fail "the Linux build gave status $status for a missing and an unreadable file"
status=0
win "$@" > windows.errors 2> windows.err || status=$?
chmod 600 files/locked
[ "$status" = 1 ] || fail "status $status for a missing and an unreadable file"
tr '\\' / < windows.errors | cmp - linux.errors || fail "other lines for a missing and an unreadable file"
grep -qx 'sumbrook-cli: files[\\/]missing: ..*' windows.err || fail "no error line for the missing file"
grep -qx 'sumbrook-cli: files[\\/]locked: ..*' windows.err || fail "no error line for the unreadable file"
checked=$((checked + 1))

# A --check round trip: what it writes it then finds in order, and a changed
# file is found changed.
win --sha256 --format=gnu files/folder 'files/名字 ü.txt' > 'sums 名字.sha256'
win -c 'sums 名字.sha256' > check.out || fail "--check of its own checksum file failed: $(cat check.out)"
[ "$(grep -c ': OK$' check.out)" = 3 ] || fail "--check did not find all three files: $(cat check.out)"
printf changed > files/folder/fox
status=0
win -c 'sums 名字.sha256' > changed.out 2> changed.err || status=$?
[ "$status" = 1 ] || fail "status $status for a changed file"
grep -q 'fox: FAILED' changed.out || fail "the changed file is not reported: $(cat changed.out)"
checked=$((checked + 1))

echo "sumbrook-cli.exe under Wine: $checked comparisons with the Linux build passed."
