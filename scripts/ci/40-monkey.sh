#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# A short monkey run (KESTRAVA_MONKEY_MINUTES, 2 by default) of the program
# built with the sanitizers in build-asan/, under Xvfb. Fails on a crash, a
# sanitizer report, a spoilt score file or memory growth; the report goes to
# build-asan/monkey/. The seed is printed, so a finding can be run again
# with KESTRAVA_MONKEY_SEED.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$root/build-asan"
minutes="${KESTRAVA_MONKEY_MINUTES:-2}"
seed="${KESTRAVA_MONKEY_SEED:-$RANDOM}"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DKESTRAVA_SANITIZE=ON >/dev/null
cmake --build "$build" --target kestrava
echo "monkey: $minutes minutes, seed $seed"
bash "$root/tests/monkey/monkey.sh" "$build/app/kestrava" "$root" "$minutes" \
     "$build/monkey" "$seed"
