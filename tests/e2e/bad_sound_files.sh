#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Each kind of unusable sound file fails the start the same way: the
# "Application Error" box says EMCIDeviceError, names the file and what is
# wrong with it, the title window never shows, and the program ends with
# exit code 1 once the box is closed. (A missing file and a file that is not
# a WAV are run by bad_sound.sh.)
# $1: the kestrava binary, $2: the source tree.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"

# kind|what is wrong, as the message says it
kinds=(
    "empty|it is empty"
    "truncated|not a WAV sound ("
    "directory|it is a directory"
    "unreadable|permission denied"
)

# Root reads every file whatever its mode, so the unreadable case runs the
# game as "nobody", from a copy of it that "nobody" can reach.
run_as_nobody() {
    chmod 755 "$WORK"
    mkdir -p "$WORK/bin"
    cp "$KESTRAVA_BIN" "$WORK/bin/kestrava"
    printf '#!/bin/sh\nexec setpriv --reuid=65534 --regid=65534 --clear-groups "%s"\n' \
        "$WORK/bin/kestrava" >"$WORK/bin/as-nobody"
    chmod 755 "$WORK/bin/as-nobody"
    KESTRAVA_BIN="$WORK/bin/as-nobody"
}

spoil_sound() {
    local file="$WORK/run/sounds/crash.wav"
    case "$1" in
        empty) : >"$file" ;;
        truncated) head -c 20 "$SOURCE_DIR/assets/sounds/crash.wav" >"$file" ;;
        directory) rm "$file" && mkdir "$file" ;;
        unreadable)
            chmod 000 "$file"
            [ "$(id -u)" = 0 ] && run_as_nobody
            ;;
    esac
}

start_display
original_bin="$KESTRAVA_BIN"
for entry in "${kinds[@]}"; do
    kind="${entry%%|*}" reason="${entry#*|}"
    KESTRAVA_BIN="$original_bin"
    rm -rf "$WORK/run"
    seed_run_folder '0000\r\n'
    spoil_sound "$kind"
    expect_sound_failure "$kind" "Cannot open sound file sounds/crash.wav: $reason"
    echo "$kind: $(grep -F 'Cannot open sound file' "$WORK/stderr")"
done
echo "PASS"
