#!/usr/bin/env bash
# Makes the hicolor PNG sizes of the program icon from its 256-pixel artwork,
# ui/images/sumbrook-256.png (the picture of ui/images/sumbrook.svg). The
# window's own 32-pixel icon, ui/images/sumbrook.png, is installed as it is.
# Run after changing the artwork and commit the results; the build does not
# need ImageMagick.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh icons
for size in 16 48 64 128; do
  convert-im6.q16 ui/images/sumbrook-256.png -filter Lanczos -resize "${size}x${size}" \
    -define png:exclude-chunks=date,time -strip "PNG32:ui/images/sumbrook-$size.png"
done
