#!/usr/bin/env bash
# Without a score file the start reports the missing file (at create and at
# show), the game window's high-score watcher reports it at its first tick,
# one second after that window is made, and the title window still appears.
# The watcher's report comes over the second one or over the title window,
# as the timing falls; a fault that lasts is reported only once.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_display
seed_run_folder none
start_game
for report in 1 2 3; do
    box=$(wait_error_box 20) || fail "error report $report not shown"
    press "$box" Return
    wait_gone "$box" 5 || fail "error report $report did not close"
done
title=$(wait_window Kestrava 20) || fail "no title window"
[ "$(client_width "$title")" = 487 ] || fail "a fourth report instead of the title window"
! box=$(wait_error_box 3) || fail "the watcher reported the missing file again"
kill -0 "$GAME_PID" || fail "the program ended"
press "$title" ctrl+z
wait_exit 10 || fail "the program did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "PASS"
