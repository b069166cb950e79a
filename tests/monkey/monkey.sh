#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The monkey run: the real program, under Xvfb with a window manager, fed
# random keys, clicks and double-clicks over whatever windows it shows (the
# title and game windows, the dialogs, menus and message boxes), at a
# bounded rate, for a set time. Whenever the program ends (Enter on the end
# panel, the exit picture, a "Close" entry, a close box) it is started
# again in the same folder, so the `score` file lives on from run to run.
#
# Left alone, random input ends a run within a minute or so, too soon to
# watch its memory. So every third run, from the second on, is a long run:
# the monkey starts the game itself, then holds back Enter and clicks on the
# title window (the two ways random input ends a run), and after
# LONG_RUN_SECONDS closes the program with Ctrl+Z as a player would.
#
# It fails on: an exit code other than 0, any sanitizer report (build the
# program with -DKESTRAVA_SANITIZE=ON), a `score` file that is not one whole
# line of digits, and resident memory growing by 1 MiB or more after a long
# run's first minute.
#
# Usage: monkey.sh <kestrava binary> <source tree> <minutes> <report folder> [seed]
# MONKEY_RATE: events per second at most (default 10).
# The report folder receives summary.txt, events.log (every event sent, to
# replay a finding by hand), rss.csv (time, run, age in s, resident KiB)
# and, on a finding, the sanitizer logs and the program's stderr; a program
# that does not end when closed leaves a picture of the screen, its windows
# with their states, and its threads' stacks (with gdb, where installed).
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"

MINUTES="$3"
mkdir -p "$4"
REPORT="$(cd "$4" && pwd)"
SEED="${5:-1}"
RATE="${MONKEY_RATE:-10}"

# Memory: sampled this often; a run's growth counts from its first minute.
RSS_SAMPLE_SECONDS=5
RSS_SETTLE_SECONDS=60
RSS_GROWTH_LIMIT_KB=1024
LONG_RUN_EVERY=3
LONG_RUN_SECONDS=180
# The program must be gone this long after it was told to end.
EXIT_WAIT_SECONDS=20
# The start picture, in the title window's client area.
START_PICTURE_X=380
START_PICTURE_Y=366

# Keys the monkey presses; Ctrl+Z is left out on purpose (it only closes).
ENDING_KEYS=(Return KP_Enter)
OTHER_KEYS=(Up Down Left Right Up Down Tab F1 Escape space BackSpace
            a b c d e f g h i j k l m n o p q r s t u v w x y z 0 1 5 9)
ALL_KEYS=("${OTHER_KEYS[@]}" "${ENDING_KEYS[@]}" "${ENDING_KEYS[@]}")

mkdir -p "$REPORT/sanitizers"
chmod 1777 "$REPORT/sanitizers"
rm -f "$REPORT"/sanitizers/* "$REPORT"/*.log "$REPORT"/rss.csv "$REPORT"/*.stderr
: >"$REPORT/summary.txt"
: >"$REPORT/links.log"
# AddressSanitizer keeps freed memory aside (its quarantine, 256 MiB) to
# catch a late use of it, and that alone makes resident memory creep up for
# many minutes, even when capped at 1 MiB. So the short runs keep the
# quarantine and catch use after free, and the long runs, whose memory is
# judged, go without it; every run keeps the other checks and the leak check.
ASAN_BASE="log_path=$REPORT/sanitizers/asan:detect_leaks=1"
ASAN_NO_QUARANTINE="quarantine_size_mb=0:thread_local_quarantine_size_kb=0"
export UBSAN_OPTIONS="log_path=$REPORT/sanitizers/ubsan:print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$SOURCE_DIR/tests/monkey/lsan.supp:print_suppressions=0"
# A link in the About dialog opens the desktop's browser: here a stand-in
# that only writes the address down.
mkdir -p "$WORK/stubs"
printf '#!/bin/sh\necho "$*" >>"%s/links.log"\n' "$REPORT" >"$WORK/stubs/xdg-open"
chmod 755 "$WORK/stubs/xdg-open"
export PATH="$WORK/stubs:$PATH"
trap 'echo "monkey: stopped by a failing command at line $LINENO" >&2' ERR

RANDOM="$SEED"
events=0 keys=0 clicks=0 double_clicks=0 starts=0 long_runs=0 score_checks=0
crashes=0 reports=0 bad_scores=0 max_growth_kb=0 measured=0 longest_run=0
instance_start=0 long_run=0 title="" rss_at_settle="" rss_max_after_settle=0 next_sample=0

now() { date +%s; }
log_event() { echo "$(now) $*" >>"$REPORT/events.log"; }

finding() {
    echo "FINDING: $*" | tee -a "$REPORT/summary.txt" >&2
}

# The score file must always be one whole line of digits: the monkey can
# only ever store a score label or "0000" through the rules.
check_score() {
    score_checks=$((score_checks + 1))
    local bytes
    bytes=$(od -An -c "$WORK/run/score" 2>/dev/null | tr -d ' \n')
    if ! [[ "$bytes" =~ ^[0-9]+\\r\\n$ ]]; then
        bad_scores=$((bad_scores + 1))
        finding "score holds '$bytes'"
    fi
}

sanitizer_reports() {
    find "$REPORT/sanitizers" -type f | wc -l
}

game_running() {
    local state
    state=$(ps -o stat= -p "$GAME_PID" 2>/dev/null || true)
    [ -n "$state" ] && [ "${state:0:1}" != Z ]
}

start_instance() {
    starts=$((starts + 1))
    long_run=0
    export ASAN_OPTIONS="$ASAN_BASE"
    if [ $((starts % LONG_RUN_EVERY)) = 2 ]; then
        long_run=1
        long_runs=$((long_runs + 1))
        export ASAN_OPTIONS="$ASAN_BASE:$ASAN_NO_QUARANTINE"
    fi
    start_game
    instance_start=$(now)
    rss_at_settle="" rss_max_after_settle=0
    next_sample=$instance_start
    log_event "start $starts pid $GAME_PID long $long_run"
    title=$(wait_window Kestrava 20) || { finding "run $starts: no window after 20 s"; return 0; }
    if [ "$long_run" = 1 ]; then
        click_client "$title" "$START_PICTURE_X" "$START_PICTURE_Y" 2>/dev/null || true
        log_event "start picture"
    fi
}

sample_rss() {
    local t age rss
    t=$(now)
    [ "$t" -ge "$next_sample" ] || return 0
    next_sample=$((t + RSS_SAMPLE_SECONDS))
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$GAME_PID/status" 2>/dev/null || true)
    [ -n "$rss" ] || return 0
    age=$((t - instance_start))
    echo "$t,$starts,$age,$rss" >>"$REPORT/rss.csv"
    if [ "$long_run" = 1 ] && [ "$age" -ge "$RSS_SETTLE_SECONDS" ]; then
        [ -n "$rss_at_settle" ] || rss_at_settle=$rss
        if [ "$rss" -gt "$rss_max_after_settle" ]; then rss_max_after_settle=$rss; fi
    fi
    check_score
}

# Called once a program has ended: its exit code, its sanitizer logs, its
# memory after the first minute, the score file it left.
account_for_instance() {
    local code=$1 lived=$(( $(now) - instance_start ))
    if [ "$lived" -gt "$longest_run" ]; then longest_run=$lived; fi
    log_event "end $starts code $code after $lived s"
    if [ "$code" != 0 ]; then
        crashes=$((crashes + 1))
        finding "run $starts ended with exit code $code"
        cp "$WORK/stderr" "$REPORT/run-$starts.stderr"
    fi
    if [ "$(sanitizer_reports)" -gt "$reports" ]; then
        finding "run $starts: sanitizer report(s) in $REPORT/sanitizers"
        reports=$(sanitizer_reports)
    fi
    if [ -n "$rss_at_settle" ]; then
        local growth=$((rss_max_after_settle - rss_at_settle))
        measured=$((measured + 1))
        if [ "$growth" -gt "$max_growth_kb" ]; then max_growth_kb=$growth; fi
        [ "$growth" -lt "$RSS_GROWTH_LIMIT_KB" ] ||
            finding "run $starts: resident memory grew by $growth KiB after its first minute"
    fi
    check_score
}

# A random point inside a random visible window of the program (in a long
# run, not the title window).
random_point() {
    local windows count window geometry X Y WIDTH HEIGHT
    mapfile -t windows < <(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null || true)
    if [ "$long_run" = 1 ]; then
        mapfile -t windows < <(printf '%s\n' "${windows[@]}" | grep -vx "$title" || true)
    fi
    count=${#windows[@]}
    [ "$count" -gt 0 ] || return 1
    window=${windows[$((RANDOM % count))]}
    geometry=$(xdotool getwindowgeometry --shell "$window" 2>/dev/null) || return 1
    eval "$(grep -E '^(X|Y|WIDTH|HEIGHT)=' <<<"$geometry")"
    [ "${WIDTH:-0}" -gt 0 ] && [ "${HEIGHT:-0}" -gt 0 ] || return 1
    echo "$((X + RANDOM % WIDTH)) $((Y + RANDOM % HEIGHT))"
}

send_key() {
    local key
    if [ "$long_run" = 1 ]; then
        key=${OTHER_KEYS[$((RANDOM % ${#OTHER_KEYS[@]}))]}
    else
        key=${ALL_KEYS[$((RANDOM % ${#ALL_KEYS[@]}))]}
    fi
    xdotool key --clearmodifiers "$key" 2>/dev/null || true
    keys=$((keys + 1))
    log_event "key $key"
}

send_event() {
    local roll=$((RANDOM % 100)) point x y
    if [ "$roll" -lt 45 ]; then
        send_key
    else
        point=$(random_point) || return 0
        read -r x y <<<"$point"
        if [ "$roll" -lt 85 ]; then
            xdotool mousemove "$x" "$y" click 1 2>/dev/null || true
            clicks=$((clicks + 1))
            log_event "click $point"
        else
            xdotool mousemove "$x" "$y" click --repeat 2 --delay 60 1 2>/dev/null || true
            double_clicks=$((double_clicks + 1))
            log_event "double-click $point"
        fi
    fi
    events=$((events + 1))
}

# For a finding that shows on screen: the window manager (its check window,
# whether its process lives and in what state, and the focused window), the
# program's windows (id, name, geometry, map and window-manager state, hidden
# ones too) and a picture of the screen, all named $1 in the report.
describe_screen() {
    local window
    {
        xprop -root _NET_SUPPORTING_WM_CHECK _NET_ACTIVE_WINDOW 2>&1
        echo "window manager pid $WM_PID: $(ps -o stat=,etime=,wchan:30= -p "$WM_PID" 2>&1 || echo gone)"
        echo "focused window: $(xdotool getwindowfocus 2>&1)"
    } >"$REPORT/$1.wm"
    for window in $(xdotool search --pid "$GAME_PID" 2>/dev/null || true); do
        echo "$window '$(xdotool getwindowname "$window" 2>/dev/null)'" \
             "$(xwininfo -id "$window" 2>/dev/null | grep -E 'Absolute|Width|Height|Map State' | tr -s ' \n' ' ')" \
             "$(xprop -id "$window" _NET_WM_STATE WM_STATE 2>/dev/null | tr '\n' ' ')"
    done >"$REPORT/$1.windows"
    ps -o pid,stat,pcpu,etime,wchan:30 -L -p "$GAME_PID" >"$REPORT/$1.threads" 2>&1 || true
    if command -v gdb >/dev/null; then
        gdb -p "$GAME_PID" -batch -ex "thread apply all bt 20" >>"$REPORT/$1.threads" 2>&1 || true
    fi
    import -window root "$REPORT/$1.png" 2>/dev/null || true
}

# Ends the program the way a player would, so LeakSanitizer gets to look at
# a whole run: dismiss what is open, then Ctrl+Z on the title window. That
# needs the window manager: without one, focus falls to the root window when
# a dialog closes and the title window cannot be activated, so a dead window
# manager is a finding of its own, and a failed activation is logged.
close_instance() {
    log_event "closing $starts"
    window_manager_alive || finding "run $starts: the window manager has ended"
    for _ in 1 2 3 4 5; do
        game_running || break
        xdotool key Escape 2>/dev/null || true
        sleep 0.3
        if [ -n "$title" ] && ! press "$title" ctrl+z 2>>"$REPORT/close.log"; then
            log_event "could not activate the title window $title"
        fi
        sleep 1
    done
    if wait_exit "$EXIT_WAIT_SECONDS"; then
        account_for_instance "$EXIT_CODE"
        return 0
    fi
    finding "run $starts did not end on Ctrl+Z"
    describe_screen "run-$starts-not-ended"
    kill -TERM "$GAME_PID" 2>/dev/null || true
    wait_exit "$EXIT_WAIT_SECONDS" || true
}

start_display
seed_run_folder '0000\r\n'
pause=$(awk -v r="$RATE" 'BEGIN { printf "%.3f", 1 / r }')
started_at=$(now)
end=$((started_at + MINUTES * 60))
start_instance
while [ "$(now)" -lt "$end" ]; do
    if ! game_running; then
        wait_exit "$EXIT_WAIT_SECONDS" || true
        account_for_instance "$EXIT_CODE"
        start_instance
        continue
    fi
    if [ "$long_run" = 1 ] && [ $(( $(now) - instance_start )) -ge "$LONG_RUN_SECONDS" ]; then
        close_instance
        start_instance
        continue
    fi
    send_event
    sample_rss
    sleep "$pause"
done
close_instance
ran_seconds=$(( $(now) - started_at ))
links=$(wc -l <"$REPORT/links.log")

{
    echo "minutes $((ran_seconds / 60)) (${ran_seconds} s), seed $SEED, at most $RATE events/s"
    echo "events $events: keys $keys, clicks $clicks, double-clicks $double_clicks"
    echo "program runs $starts ($long_runs long), links opened $links, score checks $score_checks"
    echo "crashes $crashes, sanitizer reports $reports, score files corrupted $bad_scores"
    echo "longest run ${longest_run} s; largest memory growth after a long run's first" \
         "minute: $max_growth_kb KiB (long runs measured: $measured)"
} | tee -a "$REPORT/summary.txt"

if grep -q '^FINDING' "$REPORT/summary.txt"; then
    fail "see $REPORT"
fi
echo "PASS"
