#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Holding the deck piece at the bus lane, the bus crosses and the new best
# score "50" is in the score file within a second of the crossing.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_display
seed_run_folder '0000\r\n'
start_game
title=$(wait_window Kestrava 20) || fail "no title window"
game=$(open_game "$title") || fail "the game window did not open"
# 67 presses of Up bring the piece from 405 to the bus lane at 70.
ups=()
for _ in $(seq 1 67); do ups+=(Up); done
press "$game" "${ups[@]}"
# The bus reaches the far side of the gap about 7.6 s after the start.
wait_score '50\r\n' 15
press "$game" ctrl+z
wait_exit 10 || fail "the program did not end"
echo "PASS"
