#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Synthesises the game's five sound cues with sox: short mono 16-bit 22050 Hz
# WAV files, written into the folder given as the only argument (by default
# assets/sounds next to this script). Runs in sox's repeatable mode (-R), so
# the noise and dither come out the same every time.
#
#   autobus.wav  bus: engine idle, then a two-tone horn        ~1.0 s
#   crash.wav    a noise burst over a falling thud             ~1.0 s
#   motorka.wav  old single-cylinder motorbike putt-putt       ~1.5 s
#   kamion.wav   truck air horn, three trumpets                ~1.0 s
#   tep.wav      heartbeat "lub-dub"                           ~0.6 s
set -euo pipefail

out_dir="${1:-$(cd "$(dirname "$0")/.." && pwd)/sounds}"
mkdir -p "$out_dir"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Raw layers are made as 32-bit floats at the final rate, each normalised to
# -6 dBFS (so volumes adding up to 2 cannot clip); `finish` mixes them with
# the given volumes, normalises the mix to -1 dBFS and only then turns it
# into 16-bit PCM.
layer() {  # layer <name> <sox effects...>
    sox -R -r 22050 -n -c 1 -e floating-point -b 32 "$work/$1.wav" "${@:2}" norm -6
}
finish() {  # finish <name> <layer> <volume> [<layer> <volume>...]
    local name="$1"; shift
    local inputs=()
    while [ $# -gt 0 ]; do
        inputs+=(-v "$2" "$work/$1.wav")
        shift 2
    done
    if [ ${#inputs[@]} -gt 3 ]; then
        sox -R -m "${inputs[@]}" -e signed-integer -b 16 "$out_dir/$name.wav" norm -1
    else
        sox -R "${inputs[@]}" -e signed-integer -b 16 "$out_dir/$name.wav" norm -1
    fi
}

# Bus: a low, throbbing diesel idle; the horn (a major third, like the
# classic two-tone coach horn) sounds over it from 0.15 s.
layer bus_engine synth 1.0 sawtooth 48 synth 1.0 sine amod 11 vol 0.5 lowpass 300 fade q 0.05 1.0 0.15
layer bus_horn synth 0.7 sawtooth 349 sawtooth 440 remix - vol 0.4 lowpass 2500 overdrive 6 \
      fade t 0.02 0.7 0.12 pad 0.15 0.15
finish autobus bus_engine 0.8 bus_horn 0.6

# Crash: white noise that dies away quickly, a sweep from 140 Hz down to
# 35 Hz for the body of the fall, and a short metallic clang.
layer crash_noise synth 1.0 whitenoise vol 0.5 lowpass 4000 fade l 0.002 1.0 0.95
layer crash_thud synth 0.8 sine 140-35 vol 0.5 fade q 0.005 0.8 0.75 pad 0.02 0.18
layer crash_clang synth 0.35 square 523 square 741 remix - vol 0.3 highpass 800 fade q 0.001 0.35 0.34 \
      pad 0.05 0.6
finish crash crash_noise 0.7 crash_thud 1.0 crash_clang 0.25

# Motorbike: a rough low tone chopped into about nine firing strokes a
# second, with the revs rising a little.
layer moto_engine synth 1.5 sawtooth 62-78 synth 1.5 square amod 8-10 vol 0.5 lowpass 900 overdrive 12 \
      fade t 0.05 1.5 0.25
layer moto_pops synth 1.5 brownnoise synth 1.5 square amod 8-10 vol 0.5 lowpass 600 fade t 0.05 1.5 0.25
finish motorka moto_engine 1.0 moto_pops 0.35

# Truck: three sawtooth trumpets that bend up into pitch as the air comes
# through, driven hard, then cut off.
layer truck_horn synth 1.0 sawtooth 150-185 sawtooth 188-233 sawtooth 225-277 remix - vol 0.3 \
      lowpass 3000 overdrive 4 fade t 0.04 1.0 0.2
layer truck_air synth 1.0 pinknoise vol 0.5 highpass 2000 fade t 0.02 1.0 0.3
finish kamion truck_horn 1.0 truck_air 0.1

# Heartbeat: two short low thumps, the second ("dub") a little higher and
# softer, then silence to 0.6 s.
layer beat_lub synth 0.14 sine 70-40 vol 0.5 fade q 0.01 0.14 0.12 pad 0 0.46
layer beat_dub synth 0.11 sine 85-50 vol 0.5 fade q 0.01 0.11 0.1 pad 0.22 0.27
finish tep beat_lub 1.0 beat_dub 0.7
