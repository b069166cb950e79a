#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The whole test suite (unit and end-to-end) built with AddressSanitizer,
# LeakSanitizer and UndefinedBehaviorSanitizer in build-asan/. Fails on a
# failing test and on any sanitizer report, also one from a program that a
# test started: every report goes to a log file, and any log file is a
# finding.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build-asan"
logs="$build/sanitizer-logs"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DKESTRAVA_SANITIZE=ON >/dev/null
cmake --build "$build"

rm -rf "$logs"
mkdir -p "$logs"
# Some tests run a program as "nobody", which must be able to log too.
chmod 1777 "$logs"
export ASAN_OPTIONS="log_path=$logs/asan:detect_leaks=1"
export UBSAN_OPTIONS="log_path=$logs/ubsan:print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/monkey/lsan.supp:print_suppressions=0"

status=0
(cd "$build" && ctest --output-on-failure -j2) || status=$?
reports=$(find "$logs" -type f | wc -l)
if [ "$reports" -gt 0 ]; then
    for log in "$logs"/*; do
        echo "== $log"
        cat "$log"
    done
    echo "FAIL: $reports sanitizer report(s)" >&2
    exit 1
fi
[ "$status" = 0 ] || { echo "FAIL: tests failed under the sanitizers" >&2; exit 1; }
echo "sanitizers: every test passed, 0 reports"
