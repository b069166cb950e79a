#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A missing or corrupt sound file fails the start: the "Application Error" box
# names the file, the title window never shows, the exit code is 1.
# $3: "missing" or "corrupt".
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_display
seed_run_folder '0000\r\n'
case "$3" in
    missing) rm "$WORK/run/sounds/crash.wav" ;;
    corrupt) echo "this is not a sound" >"$WORK/run/sounds/crash.wav" ;;
esac
expect_sound_failure "$3" "sounds/crash.wav"
echo "PASS"
