#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Every file says its copyright and licence, in a header or in .reuse/dep5,
# and every licence named has its text in LICENSES/.
set -euo pipefail
cd "$(dirname "$0")/../.."
reuse lint
