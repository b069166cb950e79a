#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# The game on a Wayland session, on a headless weston of this test's own
# that logs every protocol request of its clients.
# - With no X display the game runs natively on Wayland: it shows its title
#   window (looked at in weston's screenshot), under the desktop file's id as
#   app_id, prints nothing, and ends on SIGTERM (the headless compositor has
#   no input to close it with).
# - The game window shown over the title window (by wayland_windows, $3: the
#   compositor has no input to click the start picture with) is made the
#   title window's child, which the compositor keeps above it.
# - With an X display as well it chooses X: the title window is an X window
#   whose class is the desktop file's StartupWMClass, the compositor sees no
#   window of it, and the title window's Ctrl+Z ends it with exit code 0.
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
WAYLAND_WINDOWS="$3"

readonly DESKTOP_FILE="$SOURCE_DIR/packaging/net.kestrava.Kestrava.desktop"
readonly SOCKET=kestrava-test
readonly READY_CHECKS=200   # 0.1 s apart
# Colours of the title window: its frame shapes and its background.
readonly DECK_BLUE="#004080"
readonly TITLE_BACKGROUND="#000055"
# Far fewer than the window holds (about 69 000 and 15 000 pixels), far
# more than the compositor's own desktop has.
readonly ENOUGH_PIXELS=5000
readonly SIGTERM_STATUS=$(( 128 + 15 ))

WESTON_PID=""
cleanup_wayland() {
    if [ -n "$WESTON_PID" ]; then
        kill "$WESTON_PID" 2>/dev/null || true
        wait "$WESTON_PID" 2>/dev/null || true
    fi
    cleanup
}
trap cleanup_wayland EXIT

start_weston() {
    mkdir -p "$WORK/wayland"
    chmod 700 "$WORK/wayland"
    # No fading or zooming of windows as they appear: the screenshots must
    # show them in their own colours.
    printf '[shell]\nanimation=none\nstartup-animation=none\nclose-animation=none\n' \
        >"$WORK/weston.ini"
    XDG_RUNTIME_DIR="$WORK/wayland" weston --config="$WORK/weston.ini" \
        --backend=headless-backend.so --use-pixman \
        --width=1024 --height=768 --socket="$SOCKET" --idle-time=0 --debug \
        --logger-scopes=log,proto >/dev/null 2>"$WORK/weston.log" &
    WESTON_PID=$!
    for _ in $(seq 1 "$READY_CHECKS"); do
        [ -S "$WORK/wayland/$SOCKET" ] && return 0
        sleep 0.1
    done
    fail "weston did not start: $(tail -5 "$WORK/weston.log")"
}

# Starts program $1 (the game, or the windows alone) with the session's
# displays as given in the further arguments (VAR=value), none of them
# otherwise, and no platform named.
start_in_session() {
    local program=$1
    shift
    (cd "$WORK/run" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        XDG_RUNTIME_DIR="$WORK/wayland" SDL_AUDIODRIVER=dummy "$@" \
        "$program" >"$WORK/stdout" 2>"$WORK/stderr") &
    GAME_PID=$!
}

# Whether a client of the compositor has titled $1 toplevels (1 unless
# given) "Kestrava", then put a picture into a surface, and the compositor
# has drawn a frame with it (a frame callback asked for with the picture is
# done): its windows are on the screen.
wayland_windows_shown() {
    awk -v wanted="${1:-1}" '
        /rq xdg_toplevel@[0-9]+\.set_title\("Kestrava"\)/ { client = $4; titled++; attached = 0 }
        titled < wanted || $4 != client { next }
        /rq wl_surface@[0-9]+\.attach\(wl_buffer/ { attached = 1 }
        /rq wl_surface@[0-9]+\.frame\(new id wl_callback@[0-9]+\)/ {
            callback = $0; sub(/.*new id /, "", callback); sub(/\).*/, "", callback)
            asked[callback] = 1
        }
        match($0, /ev wl_callback@[0-9]+\.done/) {
            callback = substr($0, RSTART + 3, RLENGTH - 8)
            if (attached && callback in asked) shown = 1
        }
        END { exit !shown }' "$WORK/weston.log"
}

# Waits until wayland_windows_shown $1 holds, while the program runs.
wait_wayland_windows() {
    for _ in $(seq 1 "$READY_CHECKS"); do
        wayland_windows_shown "$1" && return 0
        kill -0 "$GAME_PID" 2>/dev/null || fail "the program ended: $(cat "$WORK/stderr")"
        sleep 0.1
    done
    fail "no window was shown on Wayland"
}

# Takes the compositor's picture of the screen into $WORK/shots/$1.png, and
# keeps a copy in $KESTRAVA_SHOTS when that is set; prints its path.
screenshot() {
    local shot="$WORK/shots/$1.png"
    mkdir -p "$WORK/shots/taking"
    (cd "$WORK/shots/taking" && XDG_RUNTIME_DIR="$WORK/wayland" WAYLAND_DISPLAY="$SOCKET" \
        weston-screenshooter) || fail "no screenshot"
    mv "$WORK"/shots/taking/*.png "$shot"
    [ -n "${KESTRAVA_SHOTS:-}" ] && cp "$shot" "$KESTRAVA_SHOTS/"
    echo "$shot"
}

# SIGTERM ends the program at once, with nothing on stderr.
terminate_cleanly() {
    kill -TERM "$GAME_PID"
    wait_exit 10 || fail "the program did not end on SIGTERM"
    [ "$EXIT_CODE" = "$SIGTERM_STATUS" ] || fail "exit code $EXIT_CODE on SIGTERM"
    [ ! -s "$WORK/stderr" ] || fail "printed on Wayland: $(cat "$WORK/stderr")"
}

pixels_of() {
    convert "$1" -alpha off -fill black +opaque "$2" -fill white -opaque "$2" \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}

seed_run_folder '0000\r\n'
# The X display for the last part starts first: its window manager is then
# long settled when the game's window appears (it announces itself before it
# manages windows).
start_display
start_weston

# Wayland only.
start_in_session "$KESTRAVA_BIN" WAYLAND_DISPLAY="$SOCKET"
wait_wayland_windows 1
grep -qF 'set_app_id("net.kestrava.Kestrava")' "$WORK/weston.log" ||
    fail "the app_id is not the desktop file's id: $(grep -o 'set_app_id(.*)' "$WORK/weston.log")"
shot=$(screenshot wayland-title)
deck=$(pixels_of "$shot" "$DECK_BLUE")
background=$(pixels_of "$shot" "$TITLE_BACKGROUND")
if [ "$deck" -lt "$ENOUGH_PIXELS" ] || [ "$background" -lt "$ENOUGH_PIXELS" ]; then
    fail "the title window is not on the screen ($deck deck-blue, $background background pixels)"
fi
terminate_cleanly

# The game window over the title window: a child of it.
: >"$WORK/weston.log"
start_in_session "$WAYLAND_WINDOWS" WAYLAND_DISPLAY="$SOCKET"
wait_wayland_windows 2
grep -qE 'rq xdg_toplevel@[0-9]+\.set_parent\(xdg_toplevel@[0-9]+\)' "$WORK/weston.log" ||
    fail "the game window is not the title window's child"
screenshot wayland-game >/dev/null
terminate_cleanly

# X as well: X is chosen.
: >"$WORK/weston.log"
start_in_session "$KESTRAVA_BIN" WAYLAND_DISPLAY="$SOCKET" DISPLAY="$DISPLAY"
title=$(wait_window Kestrava 20) ||
    fail "no title window on X with Wayland present (on Wayland:" \
        "$(grep -c 'set_title("Kestrava")' "$WORK/weston.log") windows): $(cat "$WORK/stderr")"
! grep -qF 'set_title("Kestrava")' "$WORK/weston.log" || fail "a window went to Wayland"
class=$(xprop -id "$title" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
[ "$class" = "$(sed -n 's/^StartupWMClass=//p' "$DESKTOP_FILE")" ] ||
    fail "the X class \"$class\" does not match the desktop file"
press "$title" ctrl+z
wait_exit 10 || fail "the program did not end"
[ "$EXIT_CODE" = 0 ] || fail "exit code $EXIT_CODE on X"
[ ! -s "$WORK/stderr" ] || fail "printed on X: $(cat "$WORK/stderr")"
echo "PASS"
