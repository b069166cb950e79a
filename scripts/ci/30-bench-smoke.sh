#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Smoke run of the performance bench: builds it, runs every measurement for a
# few seconds and prints the table. No timing is asserted (CI machines are
# shared); the run fails only when a measurement could not be taken.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
bash "$root/scripts/bench.sh" --quick
