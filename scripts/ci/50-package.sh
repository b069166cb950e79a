#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The game as a player gets it. The desktop entry and the AppStream metainfo
# pass their validators; scripts/package.sh builds the .deb, which Debian's
# checker, lintian, passes without an error or a warning; apt installs it on
# this machine; `man kestrava` shows the manual page; the menu entry's
# command, run as a new player under Xvfb, shows the title window and
# prepares the player's folder; purging the package leaves every player file
# as it was, and after installing it again the player's best score is still
# theirs; the package is removed at the end.
#
# Where kestrava is already installed (a player's machine, not CI), that
# package is left alone: the checks stop after lintian.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
readonly AppId=net.kestrava.Kestrava
# A player's search path, as /etc/profile gives it: games live in /usr/games,
# which root's own path leaves out.
readonly PlayerPath=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games
# The title window's client width, which tells it from the other windows.
readonly TitleWidth=487

# The shared end-to-end steps: an Xvfb display with openbox, waiting for
# windows, keys, the program's exit. They take the program and the source tree.
set -- /usr/games/kestrava "$root"
# shellcheck source=tests/e2e/lib.sh
source "$root/tests/e2e/lib.sh"

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
installed_here=0

remove_package() {
    if [ "$installed_here" = 1 ]; then
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get remove -y -qq kestrava >/dev/null
        installed_here=0
    fi
}
trap 'remove_package; cleanup' EXIT

validate() {
    desktop-file-validate "$root/packaging/$AppId.desktop"
    # Pedantic notes are printed but do not fail; the one left is the capital
    # letter in the id, which stays: a new id would orphan installed copies.
    appstreamcli validate --no-net --strict --pedantic "$root/packaging/$AppId.metainfo.xml"
}

build_package() {
    DEB=$(bash "$root/scripts/package.sh")
    [ -f "$DEB" ] || fail "CPack wrote no package"
    echo "built $(basename "$DEB"): $(dpkg-deb -f "$DEB" Depends)"
}

# Lintian's findings are all printed; an error or a warning fails the check.
check_package() {
    lintian --display-info --pedantic --fail-on error,warning "$DEB" || fail "lintian: errors or warnings above"
    echo "lintian: no errors, no warnings"
}

install_package() {
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq \
        --no-install-recommends "$DEB" >/dev/null
    installed_here=1
    desktop-file-validate "/usr/share/applications/$AppId.desktop"
}

purge_package() {
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get purge -y -qq kestrava >/dev/null
    installed_here=0
}

# `man kestrava` finds the installed page and shows its sections.
check_manual_page() {
    local page section
    page=$(MANWIDTH=80 man kestrava 2>&1) || fail "man kestrava: $page"
    for section in NAME SYNOPSIS KEYS FILES ENVIRONMENT; do
        grep -q "^$section" <<<"$page" || fail "the manual page has no $section"
    done
    echo "man kestrava: $(man -w kestrava)"
}

# Every file under folder $1, with its type, target or checksum, sorted.
list_files() {
    (cd "$1" && find . -printf '%y %p %l\n' | sort && find . -type f -exec md5sum {} + | sort)
}

# Runs the menu entry's command as the player whose home is $1, from /, with
# nothing of this shell's XDG settings; waits for the title window and closes
# it with Ctrl+Z.
play_as() {
    local command title
    command=$(sed -n 's/^Exec=//p' "/usr/share/applications/$AppId.desktop")
    mkdir -p "$1"
    # shellcheck disable=SC2086  # the Exec line is split into words, as a menu does
    (cd / && exec env -u XDG_DATA_HOME HOME="$1" PATH="$PlayerPath" QT_QPA_PLATFORM=xcb \
        SDL_AUDIODRIVER=dummy \
        $command >"$WORK/stdout" 2>"$WORK/stderr") &
    GAME_PID=$!
    title=$(wait_window Kestrava 20) || fail "no title window: $(cat "$WORK/stderr")"
    [ "$(client_width "$title")" = "$TitleWidth" ] || fail "the first window is not the title window"
    press "$title" ctrl+z
    wait_exit 10 || fail "the game did not end"
    [ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE: $(cat "$WORK/stderr")"
}

# The player's folder under home $1 holds the five installed sounds and the
# score with the bytes $2 (printf format).
check_player_folder() {
    local folder="$1/.local/share/kestrava" sound
    for sound in autobus crash kamion motorka tep; do
        cmp -s "$folder/sounds/$sound.wav" "/usr/share/games/kestrava/sounds/$sound.wav" ||
            fail "$folder/sounds/$sound.wav is not the installed sound"
    done
    # shellcheck disable=SC2059
    [ "$(od -An -c "$folder/score")" = "$(printf "$2" | od -An -c)" ] ||
        fail "$folder/score holds $(od -An -c "$folder/score"), expected $2"
}

validate
build_package
check_package
if dpkg-query -W -f='${Status}' kestrava 2>/dev/null | grep -q "install ok installed"; then
    echo "kestrava is installed here already; not replacing it"
    exit 0
fi
install_package
check_manual_page
start_display
player="$WORK/home of a player"
play_as "$player"
check_player_folder "$player" '0000\r\n'
printf '350\r\n' >"$player/.local/share/kestrava/score"
list_files "$player" >"$WORK/before-purge"
purge_package
list_files "$player" >"$WORK/after-purge"
diff "$WORK/before-purge" "$WORK/after-purge" || fail "purging the package changed the player's files"
install_package
play_as "$player"
check_player_folder "$player" '350\r\n'
echo "PASS: lintian clean, man page shown, installed, started from the menu entry," \
    "folder prepared, player files kept through purge and reinstall"
