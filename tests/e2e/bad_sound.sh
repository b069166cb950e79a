#!/usr/bin/env bash
# A missing or corrupt sound file fails the start: the "Application Error" box
# names the file, the title window never shows, the exit code is 1.
# $3: "missing" or "corrupt".
source "$(dirname "$0")/lib.sh"
start_display
seed_run_folder '0000\r\n'
case "$3" in
    missing) rm "$WORK/run/sounds/crash.wav" ;;
    corrupt) echo "this is not a sound" >"$WORK/run/sounds/crash.wav" ;;
esac
start_game
box=$(wait_window "Application Error" 20) || fail "no Application Error box"
[ "$(visible_count Kestrava)" = 0 ] || fail "the title window was shown"
press "$box" Return
wait_exit 10 || fail "the program did not end"
[ "$EXIT_CODE" = 1 ] || fail "exit code $EXIT_CODE"
grep -q "Exception EMCIDeviceError in module kestrava at" "$WORK/stderr" || fail "text: $(cat "$WORK/stderr")"
grep -q "sounds/crash.wav" "$WORK/stderr" || fail "the file is not named: $(cat "$WORK/stderr")"
echo "PASS"
