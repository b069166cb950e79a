#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Enter on the title window resets the best score; the start picture opens the
# game window; Ctrl+Z ends the program with code 0.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_display
seed_run_folder '1230\r\n'
start_game
title=$(wait_window Kestrava 20) || fail "no title window"
press "$title" Return
wait_score '0000\r\n' 5
game=$(open_game "$title") || fail "the game window did not open"
press "$game" ctrl+z
wait_exit 10 || fail "the program did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "PASS"
