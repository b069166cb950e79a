# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Sourced: start_pulse and stop_pulse, a PulseAudio server of this script's
# own with one null sink, for runs that must hear what the game plays on a
# real sound server. The server lives in a folder of its own (socket, runtime
# folder, log), loads no default configuration, so it never touches a
# player's or another test's server, and records nothing but the null sink's
# monitor, which parec reads.

PULSE_PID=""
PULSE_DIR=""
readonly PULSE_SINK_NAME=kestrava_null
readonly PULSE_READY_CHECKS=100   # 0.1 s apart

# Starts the server in folder $1 (created if missing) and exports
# PULSE_SERVER, so every client started from here on (the game's SDL, parec,
# pactl) reaches it, and PULSE_MONITOR, the source that records the sink.
# The sink runs at the cues' own format (22 050 Hz mono). Returns 1 when the
# server did not come up.
start_pulse() {
    PULSE_DIR="$1"
    mkdir -p "$PULSE_DIR/runtime"
    chmod 700 "$PULSE_DIR/runtime"
    export PULSE_SERVER="unix:$PULSE_DIR/native"
    export PULSE_MONITOR="$PULSE_SINK_NAME.monitor"
    HOME="$PULSE_DIR" XDG_RUNTIME_DIR="$PULSE_DIR/runtime" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --disable-shm=yes --log-target="file:$PULSE_DIR/pulse.log" \
        -L "module-native-protocol-unix socket=$PULSE_DIR/native auth-anonymous=1" \
        -L "module-null-sink sink_name=$PULSE_SINK_NAME rate=22050 channels=1" \
        >/dev/null 2>&1 &
    PULSE_PID=$!
    for _ in $(seq 1 "$PULSE_READY_CHECKS"); do
        kill -0 "$PULSE_PID" 2>/dev/null || break
        pactl info >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    stop_pulse
    return 1
}

# Stops the server and waits until it has gone. Harmless when none runs.
# The folder stays, so a restart with start_pulse "$PULSE_DIR" reuses the
# socket name that running clients were given.
stop_pulse() {
    if [ -n "$PULSE_PID" ]; then
        kill "$PULSE_PID" 2>/dev/null || true
        wait "$PULSE_PID" 2>/dev/null || true
        PULSE_PID=""
    fi
}
