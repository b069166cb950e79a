#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The installed launcher: it prepares the player's own folder under
# XDG_DATA_HOME and runs the program there. Each case installs this build
# into a temporary prefix (with a space in its name) and swaps the program
# for a probe that records its working directory and arguments, so the
# launcher runs for real against the installed layout.
#
# Arguments: the cmake program, the build folder, and the install folders,
# relative to the prefix, of the launcher, the program and the data.
set -euo pipefail

CMAKE=$1
BUILD=$2
LAUNCHER_DIR=$3
PROGRAM_DIR=$4
DATA_DIR=$5
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
PROBE_OUT="$WORK/probe"
STATUS=0

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Installs the build under "$WORK/$1" and replaces the program with a probe
# that writes its working directory, then each argument in brackets, on
# lines of their own, and exits with 7.
install_tree() {
    local prefix="$WORK/$1"
    "$CMAKE" --install "$BUILD" --prefix "$prefix" >/dev/null
    # shellcheck disable=SC2016  # the probe's own variables
    printf '%s\n' '#!/bin/sh' 'pwd -P >"$PROBE_OUT"' \
        'for a in "$@"; do printf "[%s]\n" "$a" >>"$PROBE_OUT"; done' 'exit 7' \
        >"$prefix/$PROGRAM_DIR/kestrava"
}

launcher() { echo "$WORK/$1/$LAUNCHER_DIR/kestrava"; }
data_dir() { echo "$WORK/$1/$DATA_DIR"; }

# Runs launcher $1 from $WORK with HOME=$2 and XDG_DATA_HOME=$3 ("<unset>"
# to leave it out) and the further arguments; sets STATUS to its exit code.
launch() {
    local launcher=$1 home=$2 xdg=$3
    shift 3
    local env_args=(-u XDG_DATA_HOME -u HOME PROBE_OUT="$PROBE_OUT")
    [ "$home" = "<unset>" ] || env_args+=(HOME="$home")
    [ "$xdg" = "<unset>" ] || env_args+=(XDG_DATA_HOME="$xdg")
    rm -f "$PROBE_OUT"
    STATUS=0
    (cd "$WORK" && env "${env_args[@]}" "$launcher" "$@" 2>"$WORK/stderr") || STATUS=$?
}

# The probe ran (exit code 7 passed on) in folder $1.
expect_ran_in() {
    [ "$STATUS" = 7 ] || fail "exit code $STATUS, expected the program's 7: $(cat "$WORK/stderr")"
    [ "$(head -1 "$PROBE_OUT")" = "$(cd "$1" && pwd -P)" ] ||
        fail "the program ran in $(head -1 "$PROBE_OUT"), expected $1"
}

# Folder $1 holds every installed sound of data folder $2, resolving to the
# installed file, and nothing else.
expect_sounds() {
    local installed own count=0
    for installed in "$2"/sounds/*.wav; do
        own="$1/sounds/${installed##*/}"
        [ "$(readlink -f "$own")" = "$(readlink -f "$installed")" ] ||
            fail "$own is not the installed ${installed##*/}"
        count=$((count + 1))
    done
    [ "$count" = 5 ] || fail "$count sounds installed, expected 5"
    [ "$(find "$1/sounds" -mindepth 1 | wc -l)" = 5 ] || fail "$1/sounds holds more than the sounds"
}

# Score file $1 holds exactly the bytes $2 (printf format).
expect_score() {
    # shellcheck disable=SC2059
    [ "$(od -An -c "$1")" = "$(printf "$2" | od -An -c)" ] ||
        fail "$1 holds $(od -An -c "$1"), expected $2"
}

# The player's folder follows XDG_DATA_HOME when it is absolute, and is
# ~/.local/share/kestrava otherwise. Cases: name|XDG_DATA_HOME|folder, where
# @ stands for that case's home folder.
test_player_folder() {
    local cases=(
        "unset|<unset>|@/.local/share/kestrava"
        "empty||@/.local/share/kestrava"
        "relative|relative/data|@/.local/share/kestrava"
        "absolute, with a space|$WORK/xdg data|$WORK/xdg data/kestrava"
    )
    local entry name xdg expected home
    install_tree "prefix one"
    for entry in "${cases[@]}"; do
        IFS='|' read -r name xdg expected <<<"$entry"
        home="$WORK/home $name"
        expected=${expected/@/$home}
        mkdir -p "$home"
        launch "$(launcher "prefix one")" "$home" "$xdg"
        expect_ran_in "$expected"
        expect_sounds "$expected" "$(data_dir "prefix one")"
        cmp -s "$expected/score" "$(data_dir "prefix one")/score" ||
            fail "$name: the default score was not copied"
    done
    [ ! -e "$WORK/relative" ] || fail "a relative XDG_DATA_HOME was used"
}

# A player's score is never touched; a missing one is copied from the
# default, writable even when the installed default is read-only.
test_score_kept_or_seeded() {
    local home="$WORK/home score" folder data
    folder="$home/.local/share/kestrava"
    data=$(data_dir "prefix one")
    mkdir -p "$folder"
    printf '1230\r\nold\r\n' >"$folder/score"
    launch "$(launcher "prefix one")" "$home" "<unset>"
    expect_ran_in "$folder"
    expect_score "$folder/score" '1230\r\nold\r\n'

    ln -sfn "$WORK/nowhere" "$folder/score"
    launch "$(launcher "prefix one")" "$home" "<unset>"
    expect_ran_in "$folder"
    [ "$(readlink "$folder/score")" = "$WORK/nowhere" ] || fail "the player's score link was replaced"

    rm "$folder/score"
    chmod 0444 "$data/score"
    launch "$(launcher "prefix one")" "$home" "<unset>"
    chmod 0644 "$data/score"
    expect_ran_in "$folder"
    expect_score "$folder/score" '0000\r\n'
    [ -n "$(find "$folder/score" -perm -u+w)" ] || fail "the copied score is not writable"
}

# After the installation moved (a reinstall elsewhere), the sounds are
# renewed: dangling links, an old copy and a `sounds` that was a link all
# give way to the installed sounds, and links to sounds no longer installed
# go. The score stays.
test_sounds_renewed() {
    local home="$WORK/home moved" folder
    folder="$home/.local/share/kestrava"
    install_tree "prefix old"
    launch "$(launcher "prefix old")" "$home" "<unset>"
    expect_ran_in "$folder"
    printf '350\r\n' >"$folder/score"
    mv "$WORK/prefix old" "$WORK/prefix new"
    rm "$folder/sounds/crash.wav"
    printf 'an older crash' >"$folder/sounds/crash.wav"
    ln -s "$WORK/prefix old/gone.wav" "$folder/sounds/gone.wav"
    launch "$(launcher "prefix new")" "$home" "<unset>"
    expect_ran_in "$folder"
    expect_sounds "$folder" "$(data_dir "prefix new")"
    expect_score "$folder/score" '350\r\n'

    rm -r "$folder/sounds"
    ln -s "$WORK/prefix old/sounds" "$folder/sounds"
    launch "$(launcher "prefix new")" "$home" "<unset>"
    expect_ran_in "$folder"
    [ ! -L "$folder/sounds" ] || fail "sounds is still a link"
    expect_sounds "$folder" "$(data_dir "prefix new")"
}

# Started through a link from elsewhere, the launcher still finds the
# installation; the arguments reach the program as they were given.
test_link_and_arguments() {
    local home="$WORK/home link" folder
    folder="$home/.local/share/kestrava"
    mkdir -p "$WORK/games"
    ln -s "$(launcher "prefix new")" "$WORK/games/kestrava"
    launch "$WORK/games/kestrava" "$home" "<unset>" one "two words" ""
    expect_ran_in "$folder"
    [ "$(tail -n +2 "$PROBE_OUT")" = "$(printf '[one]\n[two words]\n[]')" ] ||
        fail "the arguments arrived as: $(tail -n +2 "$PROBE_OUT" | od -c)"
}

# Without the program, or without a home, it stops with a message and runs
# nothing.
test_failures() {
    launch "$(launcher "prefix new")" "<unset>" "<unset>"
    case $STATUS in 0 | 7) fail "no HOME: exit code $STATUS" ;; esac
    grep -q "HOME" "$WORK/stderr" || fail "no HOME: message $(cat "$WORK/stderr")"

    rm "$WORK/prefix new/$PROGRAM_DIR/kestrava"
    launch "$(launcher "prefix new")" "$WORK/home failures" "<unset>"
    case $STATUS in 0 | 7) fail "no program: exit code $STATUS" ;; esac
    grep -q "program" "$WORK/stderr" || fail "no program: message $(cat "$WORK/stderr")"
    [ ! -e "$PROBE_OUT" ] || fail "something ran without the program"
}

test_player_folder
test_score_kept_or_seeded
test_sounds_renewed
test_link_and_arguments
test_failures
echo "PASS"
