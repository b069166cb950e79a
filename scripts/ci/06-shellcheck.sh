#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs shellcheck on every shell script git knows of (by name or by a shell
# shebang), following sourced files from the top of the tree; any finding,
# notes included, fails.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
cd "$root"
scripts=()
while IFS= read -r file; do
    case "$file" in
    *.sh | *.sh.in) scripts+=("$file") ;;
    *) if head -n1 "$file" 2>/dev/null | grep -qE '^#!.*\b(ba)?sh\b'; then scripts+=("$file"); fi ;;
    esac
done < <(git ls-files)
echo "shellcheck $(shellcheck --version | sed -n 's/^version: //p') on ${#scripts[@]} scripts"
shellcheck --external-sources "${scripts[@]}"
echo "no findings"
