#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Takes the README's pictures of every window and writes them to docs/:
# the title window, the game in play, the game-over panel, the About and Help
# dialogs (the Help in Czech and in English), and the title window at twice
# the size (QT_SCALE_FACTOR=2).
#
# Run by hand after a change that shows on screen, look at every picture, and
# commit them. Each scene is a fresh run of the game (one game per run) on an
# Xvfb display of its own with openbox, driven by xdotool; the whole script
# takes about a minute, most of it waiting for the five lives to run out.
# Builds the game into build/ first (KESTRAVA_BUILD_DIR picks another folder).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KESTRAVA_BUILD_DIR:-$root/build}"
docs="$root/docs"

# Client pixels of the title window's start picture, and the menu bar title
# "Help" (its left half, in the default style's font).
readonly StartPicture="380 366"
readonly HelpMenuTitle="70 10"
# The deck piece starts at the bottom; this many presses of Up lift it from
# 405 to the bus lane at 70, 5 pixels each.
readonly UpsToBusLane=67
# Seconds from the start of play until the bus stands on the deck piece: it
# starts at 560 and runs 2 pixels left every 35 ms to the gap around 190.
readonly BusOnDeckAfter=6.4
# Seconds of play without moving until the fifth vehicle has fallen.
readonly GameOverAfter=30

# shellcheck source=scripts/xvfb.sh
source "$root/scripts/xvfb.sh"
work="$(mktemp -d)"
wm_pid="" game_pid="" title=""

# Ends the game, the window manager and the display. The game is killed
# outright: there is nothing of it to keep, whatever it shows.
stop_session() {
    local pid
    [ -z "$game_pid" ] || kill -KILL "$game_pid" 2>/dev/null || true
    for pid in "$game_pid" "$wm_pid"; do
        [ -n "$pid" ] || continue
        [ "$pid" = "$game_pid" ] || kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    stop_xvfb
    wm_pid="" game_pid=""
}
trap 'stop_session; rm -rf "$work"' EXIT

fail() {
    echo "screenshots: $*" >&2
    exit 1
}

# Starts Xvfb with a screen of $1 (WIDTHxHEIGHT) and openbox on it, so windows
# get activated and take keys as on a player's desktop.
start_display() {
    start_xvfb "$1x24" || fail "no Xvfb display could be started"
    openbox >/dev/null 2>&1 &
    wm_pid=$!
    sleep 1
}

# Starts the game in a fresh run folder holding the shipped sounds and score,
# with the given scale factor and language (Czech unless $2 says otherwise),
# and waits for its title window; sets $title.
start_game() {
    rm -rf "$work/run"
    mkdir -p "$work/run/sounds"
    cp "$root"/assets/sounds/*.wav "$work/run/sounds/"
    cp "$root/assets/score" "$work/run/score"
    (cd "$work/run" && exec env QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy \
        QT_SCALE_FACTOR="$1" LANGUAGE="${2:-cs}" "$build/app/kestrava" >/dev/null 2>&1) &
    game_pid=$!
    title=$(wait_window Kestrava) || fail "no title window"
}

# Prints the id of the newest visible window named exactly $1, waiting up to
# ten seconds for it.
wait_window() {
    local id
    for _ in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# The game window: the visible "Kestrava" window that is not the title window.
wait_game_window() {
    local id
    for _ in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --name '^Kestrava$' 2>/dev/null | grep -vx "$1" | head -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Clicks client pixel ($2, $3) of window $1, counted from below its menu bar.
click_client() {
    local height menu
    height=$(xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
    menu=$(( height - 434 ))
    xdotool mousemove --window "$1" "$2" $(( $3 + menu )) click 1
}

press() {
    xdotool windowactivate --sync "$1" 2>/dev/null || true
    xdotool key --delay 20 "${@:2}"
}

# Saves window $1 (client area with its menu bar, no frame) as docs/$2.png.
shoot() {
    sleep 0.5
    import -window "$1" "$docs/$2.png"
    echo "docs/$2.png: $(identify -format '%wx%h' "$docs/$2.png")"
}

# Sleeps until $2 seconds after the moment $1 (both from $EPOCHREALTIME).
sleep_until() {
    local left
    left=$(awk -v from="$1" -v after="$2" -v now="$EPOCHREALTIME" \
        'BEGIN { left = from + after - now; if (left < 0) left = 0; printf "%.2f", left }')
    sleep "$left"
}

shoot_title_and_dialogs() {
    local dialog
    start_display 1024x768
    start_game 1
    shoot "$title" title
    press "$title" F1
    dialog=$(wait_window 'Nápověda') || fail "no Help dialog"
    shoot "$dialog" help
    press "$dialog" Escape
    # "About game" is the first entry of the Help menu.
    # shellcheck disable=SC2086
    xdotool mousemove --window "$title" $HelpMenuTitle click 1
    sleep 0.5
    xdotool key Down Return
    dialog=$(wait_window About) || fail "no About dialog"
    shoot "$dialog" about
    stop_session
    start_display 1024x768
    start_game 1 en
    press "$title" F1
    dialog=$(wait_window Help) || fail "no English Help dialog"
    shoot "$dialog" help-en
    stop_session
}

# A fresh session whose game has just been started from the title window;
# sets $game and $started (when play began).
start_play() {
    start_display 1024x768
    start_game 1
    # shellcheck disable=SC2086
    click_client "$title" $StartPicture
    started=$EPOCHREALTIME
    game=$(wait_game_window "$title") || fail "the game window did not open"
}

shoot_play() {
    local game started ups
    read -ra ups <<<"$(printf 'Up %.0s' $(seq 1 "$UpsToBusLane"))"
    start_play
    press "$game" "${ups[@]}"
    sleep_until "$started" "$BusOnDeckAfter"
    shoot "$game" play
    stop_session
    # The same run cannot show the game-over panel: the held deck piece saves
    # the bus. A second game where nothing moves loses its five lives.
    start_play
    sleep_until "$started" "$GameOverAfter"
    shoot "$game" game-over
    stop_session
}

shoot_scaled_title() {
    start_display 2048x1536
    start_game 2
    shoot "$title" title-x2
    stop_session
}

main() {
    bash "$root/scripts/build.sh" --target kestrava >/dev/null
    mkdir -p "$docs"
    shoot_title_and_dialogs
    shoot_play
    shoot_scaled_title
}

main "$@"
