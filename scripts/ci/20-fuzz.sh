#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for a
# bounded time (KESTRAVA_FUZZ_SECONDS, 60 by default), starting from the
# committed seeds in fuzz/corpus/. A crash, a sanitizer report, an oracle
# mismatch or an input slower than 10 s fails the step; the input that did
# it is kept in build-fuzz/findings/.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build-fuzz"
seconds="${KESTRAVA_FUZZ_SECONDS:-60}"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKESTRAVA_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target stringlist_fuzz intconv_fuzz

for target in stringlist intconv; do
    corpus="$build/corpus/$target"
    findings="$build/findings/$target"
    log="$build/$target-fuzz.log"
    mkdir -p "$corpus" "$findings"
    options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
             -artifact_prefix="$findings/")
    [ -f "$root/fuzz/$target.dict" ] && options+=(-dict="$root/fuzz/$target.dict")
    # New inputs go to the first folder; the committed seeds stay as they are.
    if ! "$build/fuzz/${target}_fuzz" "${options[@]}" "$corpus" "$root/fuzz/corpus/$target" \
            >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "FAIL: $target fuzzer found a fault; input kept in $findings" >&2
        exit 1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: $runs inputs in $seconds s, 0 findings"
done
