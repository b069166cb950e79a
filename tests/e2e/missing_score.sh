#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Without a score file the start reports the missing file (at create and at
# show), the game window's high-score watcher reports it at its first tick,
# one second after that window is made, and the title window still appears.
# The watcher's box comes over the show report's box, which waits for its
# Enter; a fault that lasts is reported only once.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_display
seed_run_folder none
start_game
box=$(wait_error_boxes 1 20) || fail "no report at create"
press "$box" Return
wait_gone "$box" 5 || fail "the report at create did not close"
wait_error_boxes 2 20 >/dev/null || fail "not both the report at show and the watcher's"
for report in watcher show; do
    box=$(wait_error_boxes 1 1) || fail "the $report report has gone"
    press "$box" Return
    wait_gone "$box" 5 || fail "the $report report did not close"
done
title=$(wait_window Kestrava 20) || fail "no title window"
[ "$(client_width "$title")" = 487 ] || fail "a fourth report instead of the title window"
! wait_error_boxes 1 3 >/dev/null || fail "the watcher reported the missing file again"
kill -0 "$GAME_PID" || fail "the program ended"
press "$title" ctrl+z
wait_exit 10 || fail "the program did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "PASS"
