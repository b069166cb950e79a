#!/usr/bin/env bash
# Without a score file the start reports the missing file (at create and at
# show) and the title window still appears.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
start_display
seed_run_folder none
start_game
for report in 1 2; do
    box=$(wait_window kestrava 20) || fail "error report $report not shown"
    [ "$(client_width "$box")" != 487 ] || fail "the title window showed before report $report"
    press "$box" Return
    wait_gone "$box" 5 || fail "error report $report did not close"
done
title=$(wait_window Kestrava 20) || fail "no title window"
[ "$(client_width "$title")" = 487 ] || fail "a third report instead of the title window"
kill -0 "$GAME_PID" || fail "the program ended"
press "$title" ctrl+z
wait_exit 10 || fail "the program did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
echo "PASS"
