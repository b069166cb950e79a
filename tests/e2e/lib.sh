# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Shared steps of the end-to-end runs: an Xvfb display of their own, a
# temporary run folder seeded from assets/, and xdotool to act as the player.
# Sourced by the scenario scripts; $1 of each is the kestrava binary, $2 the
# source tree.

set -euo pipefail
# shellcheck source=scripts/xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb.sh"

KESTRAVA_BIN="$1"
SOURCE_DIR="$2"
WORK="$(mktemp -d)"
WM_PID=""
GAME_PID=""

cleanup() {
    if [ -n "$GAME_PID" ]; then kill "$GAME_PID" 2>/dev/null || true; fi
    if [ -n "$WM_PID" ]; then kill "$WM_PID" 2>/dev/null || true; fi
    stop_xvfb
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts openbox and waits until it has really started: its --startup
# command runs once it manages the screen and has adopted the windows there.
# A window mapped before that can stay unmapped for good: openbox 3.6 sets
# aside the X events that arrive while it starts and looks at them again only
# when a further event comes.
WM_READY_CHECKS=100   # 0.1 s apart
start_window_manager() {
    local ready="$WORK/wm-ready"
    openbox --startup "touch $ready" >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    for _ in $(seq 1 "$WM_READY_CHECKS"); do
        [ -e "$ready" ] && return 0
        window_manager_alive || fail "the window manager ended: $(cat "$WORK/openbox.log")"
        sleep 0.1
    done
    fail "the window manager did not start"
}

window_manager_alive() {
    [ -n "$WM_PID" ] && kill -0 "$WM_PID" 2>/dev/null
}

# Starts Xvfb on a display of its own and a window manager on it.
start_display() {
    start_xvfb 1024x768x24 || fail "no Xvfb display could be started"
    start_window_manager
}

# A run folder with the shipped sounds and the given score bytes (with
# backslash escapes such as \r\n), or no score file when the argument is
# "none".
seed_run_folder() {
    mkdir -p "$WORK/run/sounds"
    cp "$SOURCE_DIR"/assets/sounds/*.wav "$WORK/run/sounds/"
    if [ "$1" != "none" ]; then
        printf '%b' "$1" >"$WORK/run/score"
    fi
}

start_game() {
    (cd "$WORK/run" && exec env QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
        "$KESTRAVA_BIN" >"$WORK/stdout" 2>"$WORK/stderr") &
    GAME_PID=$!
}

# Waits up to $2 seconds for a visible window named exactly $1; prints its id.
wait_window() {
    local id
    for _ in $(seq 1 $(( $2 * 10 ))); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Waits up to $2 seconds for window $1 to be no longer visible.
wait_gone() {
    for _ in $(seq 1 $(( $2 * 10 ))); do
        xdotool search --onlyvisible --name . 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.1
    done
    return 1
}

# xdotool matches names ignoring case: the error boxes are captioned
# "kestrava" and the windows "Kestrava". The windows are told apart by size.
client_width() {
    xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: \([0-9]*\)x.*/\1/p'
}

# The visible error boxes ("kestrava" windows narrower than the game's),
# newest first: the highest id is the last opened, and a modal box opened
# over another leaves only itself answering keys.
error_boxes() {
    local id
    for id in $(xdotool search --onlyvisible --name '^kestrava$' 2>/dev/null | sort -rn); do
        if [ "$(client_width "$id")" != 487 ]; then echo "$id"; fi
    done
}

# Waits up to $2 seconds for at least $1 error boxes; prints the newest.
wait_error_boxes() {
    local boxes
    for _ in $(seq 1 $(( $2 * 10 ))); do
        boxes=$(error_boxes)
        if [ -n "$boxes" ] && [ "$(wc -l <<<"$boxes")" -ge "$1" ]; then
            head -1 <<<"$boxes"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# Clicks the title window's start picture and waits up to 10 seconds for the
# game window; prints its id.
open_game() {
    local title=$1 game
    click_client "$title" 380 366
    for _ in $(seq 1 100); do
        game=$(xdotool search --onlyvisible --name '^Kestrava$' 2>/dev/null | grep -vx "$title" | head -1 || true)
        if [ -n "$game" ]; then
            echo "$game"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

visible_count() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l
}

# Activates window $1 and types the keys that follow; fails, saying why on
# stderr, when the window cannot be activated.
press() {
    xdotool windowactivate --sync "$1" || return 1
    xdotool key --delay 20 "${@:2}"
}

# Clicks at client coordinates of a game window: below its menu bar.
click_client() {
    local window=$1 x=$2 y=$3 height menu
    height=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
    menu=$(( height - 434 ))
    xdotool mousemove --window "$window" "$x" $(( y + menu )) click 1
}

# Starts the game and expects its start to fail on a sound file: the
# "Application Error" box says EMCIDeviceError and holds $2, the title window
# never shows, and the program ends with exit code 1 once the box is closed.
# $1 labels the failures.
expect_sound_failure() {
    local box
    start_game
    box=$(wait_window "Application Error" 20) || fail "$1: no Application Error box"
    [ "$(visible_count Kestrava)" = 0 ] || fail "$1: the title window was shown"
    press "$box" Return
    wait_exit 10 || fail "$1: the program did not end"
    [ "$EXIT_CODE" = 1 ] || fail "$1: exit code $EXIT_CODE"
    grep -qF "Exception EMCIDeviceError in module kestrava at" "$WORK/stderr" ||
        fail "$1: $(cat "$WORK/stderr")"
    grep -qF "$2" "$WORK/stderr" ||
        fail "$1: the file or its fault is not named: $(cat "$WORK/stderr")"
}

# Waits up to $1 seconds for the game to exit and sets EXIT_CODE. Runs in
# this shell, the game's parent: an ended game stays a zombie until waited for.
wait_exit() {
    local state
    for _ in $(seq 1 $(( $1 * 10 ))); do
        state=$(ps -o stat= -p "$GAME_PID" 2>/dev/null || true)
        if [ -z "$state" ] || [ "${state:0:1}" = Z ]; then
            EXIT_CODE=0
            wait "$GAME_PID" || EXIT_CODE=$?
            GAME_PID=""
            return 0
        fi
        sleep 0.1
    done
    return 1
}

score_is() {
    [ "$(od -An -c "$WORK/run/score" | tr -s ' ')" = "$(printf '%b' "$1" | od -An -c | tr -s ' ')" ]
}

wait_score() {
    for _ in $(seq 1 $(( $2 * 10 ))); do
        score_is "$1" && return 0
        sleep 0.1
    done
    fail "score holds $(od -An -c "$WORK/run/score"), expected $1"
}
