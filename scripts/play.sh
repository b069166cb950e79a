#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds the game and starts it from run/, a folder
# holding the sounds and the player's `score`. The default score is copied only
# when run/ has none, so a rebuild never overwrites a best score.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" --target kestrava
run="$root/run"
mkdir -p "$run/sounds"
cp "$root"/assets/sounds/*.wav "$run/sounds/"
[ -e "$run/score" ] || cp "$root/assets/score" "$run/score"
cd "$run"
exec "${KESTRAVA_BUILD_DIR:-$root/build}/app/kestrava"
