#!/usr/bin/env bash
# Produces docs/screenshot.png from the real program: on a virtual display it
# adds six files through the open dialog (two pairs of equal files and two
# others), calculates with the start selection, opens the first two results
# and photographs the window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh screenshot
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DSUMBROOK_BUILD_BENCH=OFF > /dev/null
cmake --build build/release -j "$(nproc)" --target sumbrook

demo=$(mktemp -d /tmp/sumbrook-demo.XXXXXX)
printf 'Sumbrook checks files.\n' > "$demo/报告.txt"
cp "$demo/报告.txt" "$demo/report-copy.txt"
head -c 300000 /dev/zero | tr '\0' 'x' > "$demo/image.bin"
cp "$demo/image.bin" "$demo/image-backup.bin"
printf 'something else\n' > "$demo/notes.txt"
printf 'one more\n' > "$demo/readme.md"

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
trap 'kill "$app" "$xvfb" 2> /dev/null || true; rm -rf "$demo"' EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo > /dev/null 2>&1 && break; sleep 0.1; done
build/release/app/sumbrook &
app=$!
window=$(xdotool search --sync --name 'SumbrookV2.7' | head -1)
xdotool windowfocus --sync "$window"
sleep 1
xdotool key ctrl+o
dialog=$(xdotool search --sync --name '请选择需要校验的文件' | head -1)
xdotool windowfocus --sync "$dialog"
xdotool type --delay 15 "$demo/"
xdotool key Return
sleep 0.7
xdotool type --delay 15 '"报告.txt" "report-copy.txt" "image.bin" "notes.txt" "image-backup.bin" "readme.md"'
xdotool key Return
sleep 1
xdotool windowfocus --sync "$window"
xdotool key ctrl+j
sleep 1.5
# Open the first two results: click each top node's expand mark.
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 410)) $((Y + 78)) click 1
xdotool key Right Down Down Down Right
sleep 0.5
mkdir -p docs
import -window "$window" docs/screenshot.png
echo "Saved docs/screenshot.png"
