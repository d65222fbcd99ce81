#!/usr/bin/env bash
# Installs the Debian packages Sumbrook needs that this machine lacks.
# Usage: scripts/install-deps.sh build|test|windows|run|screenshot|bench|icons
# Runs non-interactively; as root it installs, otherwise through sudo.
set -euo pipefail

need=(cmake g++ make pkg-config qt6-base-dev libgl-dev qt6-translations-l10n)
# The Windows build and its tests: GCC for 64-bit Windows (the variant with
# std::thread), GoogleTest's sources to build it for Windows, and Wine to run
# the tests.
windows=(g++-mingw-w64-x86-64-posix googletest wine64)
case "${1:-build}" in
  build) ;;
  # The tests, the reference tools of the command-line tests (coreutils, rhash,
  # mandoc) and the package checks: the desktop entry and metainfo validators,
  # for cpack -G DEB dpkg-shlibdeps (dpkg-dev) and file, which it uses to
  # find the binaries, lintian, which checks the package as Debian would, and
  # clang-format, which checks the layout of the code.
  test) need+=(libgtest-dev libgmock-dev libbenchmark-dev coreutils rhash mandoc
               desktop-file-utils appstream dpkg-dev file lintian clang-format "${windows[@]}") ;;
  windows) need=(cmake make "${windows[@]}") ;;
  run) need+=(xvfb x11-utils imagemagick fonts-wqy-microhei) ;;
  screenshot) need+=(xvfb x11-utils imagemagick fonts-wqy-microhei xdotool) ;;
  # The libraries and tools the benchmarks measure Sumbrook against.
  bench) need+=(libbenchmark-dev libisal-dev libmhash-dev rhash openssl) ;;
  icons) need+=(imagemagick) ;;
  *) echo "usage: $0 build|test|windows|run|screenshot|bench|icons" >&2; exit 2 ;;
esac

missing=()
for pkg in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" < /dev/null
