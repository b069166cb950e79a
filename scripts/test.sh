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
# No test is tried twice: a run that fails now and then is a fault to find.
(cd "${KESTRAVA_BUILD_DIR:-$root/build}" && ctest --output-on-failure -j2)
for check in "$root"/scripts/ci/*.sh; do
    [ -e "$check" ] || continue
    echo "== $(basename "$check")"
    bash "$check"
done
