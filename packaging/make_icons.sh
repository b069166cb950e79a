#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Draws the desktop icons in packaging/icons/ from the program icon, the
# 32 x 32 16-colour picture the game shows on its task-bar entry. Run by hand
# after changing assets/pictures/icon32.bmp or icon16.bmp, look at them, and
# commit the PNGs it writes.
#
# The icon is pixel art: larger sizes repeat each pixel (nearest neighbour)
# instead of smoothing it. 48 is one and a half times 32, so every other
# pixel is doubled, which keeps more of the drawing than three times the
# 16 x 16 window icon. 16 is that hand-drawn window icon itself: halving the
# 32 x 32 picture would drop every other row of its thin lines.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
pictures="$root/assets/pictures"
icons="$root/packaging/icons"

# Writes $icons/$2.png from picture $1 scaled to $2 x $2 pixels; no time or
# tool stamps, so a rerun writes the same bytes.
draw() {
    convert "$pictures/$1" -filter point -resize "$2x$2" -strip \
        -define png:exclude-chunks=date,time "PNG24:$icons/$2.png"
}

mkdir -p "$icons"
draw icon16.bmp 16
for size in 32 48 64 128 256; do
    draw icon32.bmp "$size"
done
ls -l "$icons"
