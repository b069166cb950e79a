#!/usr/bin/env bash
# Installs what is missing, builds the performance bench and runs it on an X
# display of its own (Xvfb, no window manager), printing its table as
# Markdown. Arguments go to the bench: --quick for a short smoke run, or
# --seconds/--starts/--games/--renders N (see bench/bench_main.cpp).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KESTRAVA_BUILD_DIR:-$root/build}"
bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$build" -G Ninja -DKESTRAVA_BENCH=ON >/dev/null
bash "$root/scripts/build.sh" --target kestrava_bench >/dev/null

# shellcheck source=scripts/xvfb.sh
source "$root/scripts/xvfb.sh"
trap stop_xvfb EXIT
start_xvfb 1024x768x24 || { echo "no Xvfb display could be started" >&2; exit 1; }
unset QT_QPA_PLATFORM
"$build/bench/kestrava_bench" "$@"
