#!/usr/bin/env bash
# Builds the digest engine, the platform layer, the jobs, sumbrook-cli and
# their tests for 64-bit Windows with mingw-w64, then runs the test programs
# under Wine, headless, and checks sumbrook-cli.exe against the Linux build's
# sumbrook-cli. The Wine prefix lives in the build folder; no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows

build=build/windows
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DSUMBROOK_WERROR=ON -DSUMBROOK_BUILD_GUI=OFF -DSUMBROOK_BUILD_CLI=ON -DSUMBROOK_BUILD_BENCH=OFF
cmake --build "$build" -j "$(nproc)"

# The Linux sumbrook-cli whose lines the Windows one must print: the one of
# the usual build when there is one, else one built without the window.
linux=build/ci
if [ ! -f "$linux/CMakeCache.txt" ]; then
  linux=build/linux-cli
  cmake -S . -B "$linux" -DCMAKE_BUILD_TYPE=Release -DSUMBROOK_BUILD_GUI=OFF -DSUMBROOK_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$linux" -j "$(nproc)" --target sumbrook-cli

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

scripts/compare-windows-cli.sh "$wine" "$wineserver" "$build/cli/sumbrook-cli.exe" "$linux/cli/sumbrook-cli" \
  "$build/cli-compare"
echo "Windows tests passed under Wine."
