# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced: start_xvfb and stop_xvfb, an X display of this script's own.
#
# Xvfb's -displayfd picks the lowest free display number, and that is racy
# when several displays start and stop at once (the end-to-end tests run in
# parallel): a server still shutting down deletes the socket of a new server
# that took its number, and two servers starting together can both claim
# one. Clients then talk to no server, or to another test's. So each display
# gets a random number from a wide range, is checked to be ours by the pid
# in its lock file, and is waited for when stopped.
#
# -noreset: by default Xvfb resets when its last client disconnects (the
# readiness probe below is the first), and a client connecting during the
# reset is refused ("could not connect to display").

XVFB_PID=""
readonly XVFB_FIRST_NUMBER=1000
readonly XVFB_NUMBERS=30000
readonly XVFB_ATTEMPTS=20
readonly XVFB_READY_CHECKS=100   # 0.1 s apart

# Starts Xvfb with screen $1 (WIDTHxHEIGHTxDEPTH), no TCP, no reset, and exports
# DISPLAY. Returns 1 when no display could be started.
start_xvfb() {
    local number lock
    for _ in $(seq 1 "$XVFB_ATTEMPTS"); do
        number=$(( XVFB_FIRST_NUMBER + RANDOM % XVFB_NUMBERS ))
        lock="/tmp/.X$number-lock"
        [ -e "$lock" ] && continue
        Xvfb ":$number" -screen 0 "$1" -nolisten tcp -noreset >/dev/null 2>&1 &
        XVFB_PID=$!
        for _ in $(seq 1 "$XVFB_READY_CHECKS"); do
            kill -0 "$XVFB_PID" 2>/dev/null || break
            if [ "$(tr -d ' \n' 2>/dev/null <"$lock")" = "$XVFB_PID" ] &&
                DISPLAY=":$number" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":$number"
                return 0
            fi
            sleep 0.1
        done
        stop_xvfb
    done
    return 1
}

# Stops the display and waits until the server has gone, sockets and lock
# file removed. Harmless when none is running.
stop_xvfb() {
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}
