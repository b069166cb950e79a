#!/usr/bin/env bash
# Installs what is missing, builds the performance bench and runs it on an X
# display of its own (Xvfb, no window manager), printing its table as
# Markdown. Arguments go to the bench: --quick for a short smoke run, or
# --seconds/--starts/--games/--renders N (see bench/bench_main.cpp).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KESTRAVA_BUILD_DIR:-$root/build}"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" --target kestrava_bench >/dev/null

work="$(mktemp -d)"
xvfb_pid=""
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "no Xvfb display could be started" >&2; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
unset QT_QPA_PLATFORM
"$build/bench/kestrava_bench" "$@"
