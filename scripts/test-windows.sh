#!/usr/bin/env bash
# Builds the digest engine, the platform layer and their tests for 64-bit
# Windows with mingw-w64, then runs the test programs under Wine, headless.
# The Wine prefix lives in the build folder; no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows

build=build/windows
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DSUMBROOK_WERROR=ON -DSUMBROOK_BUILD_GUI=OFF -DSUMBROOK_BUILD_BENCH=OFF -DSUMBROOK_BUILD_CLI=OFF
cmake --build "$build" -j "$(nproc)"

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
export WINEPREFIX="$PWD/$build/wineprefix" WINEDEBUG=-all WINEARCH=win64
# No Mono or Gecko: nothing here needs them, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
wineserver="$(dirname "$wine")/wineserver"
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
trap '"$wineserver" -k 2>/dev/null || true' EXIT
[ -f "$WINEPREFIX/system.reg" ] || "$wine" wineboot -i >/dev/null 2>&1

# ctest starts each program through Wine (the toolchain's emulator).
if ! ctest --test-dir "$build" --output-on-failure --verbose > "$build/ctest.log" 2>&1; then
  cat "$build/ctest.log"
  exit 1
fi
grep -E '^[0-9]+: \[ *PASSED|tests passed|Total Test time' "$build/ctest.log"
echo "Windows tests passed under Wine."
