#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The cues on a real sound server. The game, started with no SDL driver
# named, plays through a PulseAudio server of this test's own; the null sink's
# monitor is recorded, and in a game that is never touched every cue begins
# within TOLERANCE_MS of its rule time and no cue begins where none is due.
# The server then stops mid-game and comes back on the same socket: the game
# plays on, and the cues after its return arrive on time again. With no
# sound server at all the game starts and ends printing nothing.
#
# When the game window shows: xev on the root window prints the MapNotify of
# the window manager's frame as it happens, and each line is stamped on
# arrival with $EPOCHREALTIME. When a cue begins: cue_listener ($3) stamps
# the recording's blocks on the same wall clock (see its header).
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
# shellcheck source=scripts/pulse.sh
source "$SOURCE_DIR/scripts/pulse.sh"
CUE_LISTENER="$3"

readonly RATE=22050
readonly TOLERANCE_MS=60
# After the restart the cues are checked for arriving, near their rule times:
# 12 s and more into a game, every tick that came late on a busy machine has
# pushed the later ones back (a timer late by more than its interval starts
# counting again from the late tick), so the margin is wider there.
readonly LATE_TOLERANCE_MS=250
# Rule times of the cues of a never-moved game, in ms after the game window
# shows, with the sound each plays: autobus (bus tick 50 of 35 ms, x = 460),
# kamionpl (truck tick 61 of 57 ms, x = -80), crash (bus tick 154, x = 252,
# the first fall), then the same three again as the bus and the truck
# restart; the truck's falls at x = 104 are silent.
readonly DUE=(1750:autobus 3477:kamion 5390:crash 9590:autobus 12141:kamion 13230:crash)
readonly BEFORE_STOP=(1750:autobus 3477:kamion 5390:crash)
# Before the restarted server is back in the game's hands the bus's second
# autobus may or may not be heard; the truck's cue comes later, and must be.
# The bus's second crash begins 89 ms after the truck's cue ends: heard
# apart, it must be on time, but a stream that ran dry for a moment on a
# busy machine runs the two together.
readonly AFTER_RESTART=(12141:kamion)
readonly SERVER_STOP_MS=7000
readonly LISTEN_UNTIL_MS=14000
readonly READY_CHECKS=100   # 0.1 s apart

MAP_LOG_PID=""
LISTENER_PID=""
cleanup_sound() {
    if [ -n "$LISTENER_PID" ]; then kill "$(cat "$WORK/parec.pid")" 2>/dev/null || true; fi
    if [ -n "$MAP_LOG_PID" ]; then kill "$MAP_LOG_PID" 2>/dev/null || true; fi
    stop_pulse
    cleanup
}
trap cleanup_sound EXIT

now_us() { echo "${EPOCHREALTIME//[!0-9]/}"; }

# The game as a player starts it: no driver or platform named, no Wayland.
start_real_game() {
    mkdir -p "$WORK/runtime"
    chmod 700 "$WORK/runtime"
    (cd "$WORK/run" && exec env -u SDL_AUDIODRIVER -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY \
        XDG_RUNTIME_DIR="$WORK/runtime" "$KESTRAVA_BIN" >"$WORK/stdout" 2>"$WORK/stderr") &
    GAME_PID=$!
}

# Root-window structure events, each line stamped with its arrival time.
start_map_log() {
    # No command substitution in the loop: a fork per line would stamp a
    # burst of events later and later.
    stdbuf -oL xev -root -event substructure | while IFS= read -r line; do
        printf '%s %s\n' "${EPOCHREALTIME//[!0-9]/}" "$line"
    done >"$WORK/maps" &
    MAP_LOG_PID=$!
}

# The first top-level window mapped after $1 (µs), override-redirect ones
# (tooltips) left out; prints its arrival time.
mapped_after() {
    awk -v after="$1" '$2 == "MapNotify" && $1 > after { t = $1; getline; \
        if ($0 ~ /override NO/) { print t; exit } }' "$WORK/maps"
}

# Records the null sink's monitor into cue_listener, whose onsets go to $1;
# returns once the server has the recording stream.
start_listening() {
    (parec --raw --format=s16le --rate="$RATE" --channels=1 --latency-msec=10 \
        -d "$PULSE_MONITOR" 2>>"$WORK/parec.log" & echo $! >"$WORK/parec.pid"; wait) |
        "$CUE_LISTENER" "$RATE" "$WORK"/run/sounds/*.wav >"$1" &
    LISTENER_PID=$!
    for _ in $(seq 1 "$READY_CHECKS"); do
        [ -n "$(pactl list short source-outputs 2>/dev/null)" ] && return 0
        sleep 0.1
    done
    fail "the recording did not start"
}

# Waits for cue_listener to print, after its recording ended.
finish_listening() {
    wait "$LISTENER_PID" || fail "the recording holds no sound at all"
    LISTENER_PID=""
}

sleep_until_ms() {
    local left_us=$(( SHOWN_US + $1 * 1000 - $(now_us) ))
    [ "$left_us" -gt 0 ] && sleep "$(printf '%d.%06d' $(( left_us / 1000000 )) $(( left_us % 1000000 )))"
    return 0
}

# Whether onset "ms:name" ($1) is the due cue "ms:name" ($2), give or take
# $3 ms.
is_due_cue() {
    local ms=${1%%:*} due=${2%%:*}
    [ "${1#*:}" = "${2#*:}" ] && [ $(( ms - due )) -le "$3" ] && [ $(( due - ms )) -le "$3" ]
}

# Prints the one of "MS:NAME" entries $3... that is the same cue as $1 within
# $2 ms, or nothing.
matching_cue() {
    local cue=$1 tolerance=$2 found=""
    shift 2
    for other in "$@"; do
        is_due_cue "$cue" "$other" "$tolerance" && found=$other
    done
    echo "$found"
}

# Checks the onsets in file $1 against the rule times: every cue heard is a
# due cue, give or take $2 ms, and each due cue named after $2 is heard.
# Sounds that begin mid-cue (a stream that ran dry for a moment) are shown
# and left out. Prints each cue heard against its rule time.
check_onsets() {
    local file=$1 tolerance=$2 onset name heard due found
    shift 2
    local cues=()
    while read -r onset name; do
        if [ "$name" = "?" ]; then
            echo "a sound resumed mid-cue at $(( (onset - SHOWN_US) / 1000 )) ms"
            continue
        fi
        cues+=("$(( (onset - SHOWN_US) / 1000 )):$name")
    done <"$file"
    for heard in "${cues[@]}"; do
        found=$(matching_cue "$heard" "$tolerance" "${DUE[@]}")
        [ -n "$found" ] || fail "cue $heard ms, where none is due (heard: ${cues[*]})"
        echo "${found#*:} due at ${found%%:*} ms began at ${heard%%:*} ms" \
            "($(( ${heard%%:*} - ${found%%:*} )) ms)"
    done
    for due in "$@"; do
        found=$(matching_cue "$due" "$tolerance" "${cues[@]}")
        [ -n "$found" ] || fail "no $due ms cue within $tolerance ms (heard: ${cues[*]})"
    done
}

start_display
seed_run_folder '0000\r\n'

start_pulse "$WORK/pulse" || fail "the PulseAudio server did not start"
start_map_log
start_listening "$WORK/onsets-before"
start_real_game
title=$(wait_window Kestrava 20) || fail "no title window"
# The title window's own map shows that the map log listens.
for _ in $(seq 1 "$READY_CHECKS"); do
    [ -n "$(mapped_after 0)" ] && break
    sleep 0.1
done
[ -n "$(mapped_after 0)" ] || fail "xev saw no window map"
clicked_us=$(now_us)
open_game "$title" >/dev/null || fail "the game window did not open"
for _ in $(seq 1 "$READY_CHECKS"); do
    SHOWN_US=$(mapped_after "$clicked_us")
    [ -n "$SHOWN_US" ] && break
    sleep 0.1
done
[ -n "$SHOWN_US" ] || fail "no map of the game window was seen"

sleep_until_ms "$SERVER_STOP_MS"
stop_pulse
finish_listening
echo "before the server stopped:"
check_onsets "$WORK/onsets-before" "$TOLERANCE_MS" "${BEFORE_STOP[@]}"

start_pulse "$WORK/pulse" || fail "the PulseAudio server did not start again"
start_listening "$WORK/onsets-after"
sleep_until_ms "$LISTEN_UNTIL_MS"
kill "$(cat "$WORK/parec.pid")"
finish_listening
echo "after the server came back:"
check_onsets "$WORK/onsets-after" "$LATE_TOLERANCE_MS" "${AFTER_RESTART[@]}"

kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended when its sound server went away"
game=$(xdotool search --onlyvisible --name '^Kestrava$' | grep -vx "$title" | head -1)
press "$game" ctrl+z
wait_exit 10 || fail "the program did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE"
[ ! -s "$WORK/stderr" ] || fail "the game printed: $(cat "$WORK/stderr")"

# No sound server at all, and no PipeWire socket: silent, and not a word.
# (Last: a title window shown at once after the window manager started was
# now and then never seen to show.)
stop_pulse
PULSE_SERVER="unix:$WORK/no-server" start_real_game
title=$(wait_window Kestrava 20) || fail "no title window without a sound server"
press "$title" ctrl+z
wait_exit 10 || fail "the program did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE without a sound server"
[ ! -s "$WORK/stderr" ] || fail "printed without a sound server: $(cat "$WORK/stderr")"
echo "PASS"
