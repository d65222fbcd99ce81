#!/usr/bin/env bash
# Installs what is missing, builds Sumbrook and starts the window. Without a
# display it starts the window on a virtual one (Xvfb), saves a screenshot
# and prints where.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh run

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DSUMBROOK_BUILD_BENCH=OFF > /dev/null
cmake --build build/release -j "$(nproc)" --target sumbrook sumbrook-cli
app=build/release/app/sumbrook

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$app"
fi

# No display: a virtual one, a screenshot, and the window stays up while
# someone is at the terminal.
display=:$((90 + RANDOM % 100))
echo "No display found: starting the window on the virtual display $display (Xvfb)."
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
trap 'kill "$app_pid" "$xvfb" 2> /dev/null || true' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" > /dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=$display "$app" &
app_pid=$!
sleep 3
shot=${SUMBROOK_SCREENSHOT:-$PWD/build/sumbrook-window.png}
DISPLAY=$display import -window root "$shot"
echo "Screenshot of the window: $shot"
if [ -t 0 ]; then
  echo "The window runs on $display; press Ctrl+C to end it."
  wait "$app_pid"
fi
