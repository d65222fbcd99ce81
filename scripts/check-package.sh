#!/usr/bin/env bash
# Checks what a Linux desktop gets from a built tree: validates the desktop
# entry and the AppStream metainfo, makes the Debian package with cpack,
# checks its control fields and file list, runs lintian on it (any error or
# warning fails), and runs the packaged sumbrook-cli from an extracted copy.
# With SUMBROOK_CHECK_APT_INSTALL=1 (as root or with sudo) it also installs
# the package through apt-get, runs it from /usr/bin and removes it again.
# Usage: scripts/check-package.sh BUILD_DIR
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "$1")
id=io.github.sumbrook.Sumbrook

desktop-file-validate app/$id.desktop
appstreamcli validate --no-net "$build/app/$id.metainfo.xml"

rm -rf "$build/package"
(cd "$build" && cpack -G DEB -B package > /dev/null)
debs=("$build"/package/sumbrook_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "expected one package, found: ${debs[*]}" >&2; exit 1; }
deb=${debs[0]}
dpkg-deb -I "$deb"

fail() { echo "package check: $*" >&2; exit 1; }
version=$(sed -n 's/^#define SUMBROOK_VERSION "\(.*\)"$/\1/p' "$build/generated/sumbrook_version.h")
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is not $version"
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || fail "Section is not utils"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends was not computed from the binaries"
dpkg-deb -f "$deb" Suggests | grep -qw 'bash-completion' || fail "bash-completion is not suggested"

# What a user needs, and nothing outside /usr (no test or benchmark programs).
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
need=(./usr/bin/sumbrook ./usr/bin/sumbrook-cli
      ./usr/share/applications/$id.desktop
      ./usr/share/metainfo/$id.metainfo.xml
      ./usr/share/icons/hicolor/scalable/apps/$id.svg
      ./usr/share/doc/sumbrook/README.md
      ./usr/share/doc/sumbrook/copyright
      ./usr/share/doc/sumbrook/changelog.gz)
for size in 16 32 48 64 128 256; do need+=("./usr/share/icons/hicolor/${size}x${size}/apps/$id.png"); done
need+=(./usr/share/man/man1/sumbrook.1.gz ./usr/share/man/man1/sumbrook-cli.1.gz
       ./usr/share/bash-completion/completions/sumbrook-cli)
for path in "${need[@]}"; do grep -qxF "$path" <<< "$files" || fail "$path is missing"; done
stray=$(grep -v -e '^\./usr/$' -e '^\./usr/bin/sumbrook\(-cli\)\?$' -e '^\./usr/share/' <<< "$files" | grep -v '/$' || true)
[ -z "$stray" ] || fail "unexpected files: $stray"

# As Debian would judge it; informational tags are shown but do not fail.
lintian --fail-on error,warning --display-info "$deb"

expect_lines() { # program file: the CRC-32 and MD5 lines of "abc"
  local out
  out=$("$1" --crc32 --md5 "$2")
  [ "$out" = "$(printf '%s\n\tCRC32_FCS32：352441C2\n\tMD5：900150983CD24FB0D6963F7D28E17F72' "$2")" ] ||
    fail "$1 printed: $out"
}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
printf abc > "$scratch/abc.txt"

# The changelog's top entry is this version, dated the day of the metainfo's
# release and signed by the package's maintainer.
gzip -dc "$scratch/root/usr/share/doc/sumbrook/changelog.gz" > "$scratch/changelog"
release=$(sed -n 's/.*<release version="[^"]*" date="\([^"]*\)".*/\1/p' "$build/app/$id.metainfo.xml")
[ "$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)" = "$version" ] || fail "the changelog is not of $version"
[ "$(date -u -d "$(dpkg-parsechangelog -l "$scratch/changelog" -S Date)" +%F)" = "$release" ] ||
  fail "the changelog is not dated $release"
[ "$(dpkg-parsechangelog -l "$scratch/changelog" -S Maintainer)" = "$(dpkg-deb -f "$deb" Maintainer)" ] ||
  fail "the changelog is not signed by the package's maintainer"

expect_lines "$scratch/root/usr/bin/sumbrook-cli" "$scratch/abc.txt"

if [ "${SUMBROOK_CHECK_APT_INSTALL:-0}" = 1 ]; then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "$deb" < /dev/null
  expect_lines /usr/bin/sumbrook-cli "$scratch/abc.txt"
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -qq sumbrook < /dev/null
fi
echo "Package checks passed: $(basename "$deb")"
