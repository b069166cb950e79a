#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds the performance bench and runs it on an X
# display of its own (Xvfb, no window manager) and a PulseAudio server of its
# own (scripts/pulse.sh), printing its table as Markdown. Where no server can
# be started the bench runs without one and says so. Arguments go to the
# bench: --quick for a short smoke run, or --seconds/--starts/--games/
# --renders/--presses/--latency-seconds N (see bench/bench_main.cpp).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KESTRAVA_BUILD_DIR:-$root/build}"
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DKESTRAVA_BENCH=ON >/dev/null
bash "$root/scripts/build.sh" --target kestrava_bench >/dev/null

# shellcheck source=scripts/xvfb.sh
source "$root/scripts/xvfb.sh"
# shellcheck source=scripts/pulse.sh
source "$root/scripts/pulse.sh"
pulse_home="$(mktemp -d)"
trap 'stop_pulse; stop_xvfb; rm -rf "$pulse_home"' EXIT
# Wide enough that the game, centred, and the paint floor, at the top left,
# never cover each other.
start_xvfb 1600x1000x24 || { echo "no Xvfb display could be started" >&2; exit 1; }
if ! start_pulse "$pulse_home/pulse"; then
    echo "no PulseAudio server could be started: the cues are not timed" >&2
    unset PULSE_SERVER PULSE_MONITOR
fi
unset QT_QPA_PLATFORM
"$build/bench/kestrava_bench" "$@"
