#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds everything and runs every test: the unit
# and end-to-end suites, then each further check in scripts/ci/ (in name
# order; each prints its own figures and fails on a finding).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
# The end-to-end runs share the machine with whatever else runs on it; a run
# that fails once is tried once more, and a real fault fails both times.
(cd "${KESTRAVA_BUILD_DIR:-$root/build}" && ctest --output-on-failure -j2 --repeat until-pass:2)
for check in "$root"/scripts/ci/*.sh; do
    [ -e "$check" ] || continue
    echo "== $(basename "$check")"
    bash "$check"
done
