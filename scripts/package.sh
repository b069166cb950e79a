#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package of Kestrava into build-deb/ (or the folder given
# as $KESTRAVA_PACKAGE_DIR): a release build in Debian's games layout, only
# the targets the package holds, then CPack. Prints the package's path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${KESTRAVA_PACKAGE_DIR:-$root/build-deb}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_INSTALL_PREFIX=/usr -DKESTRAVA_DEBIAN_PACKAGE=ON -DBUILD_TESTING=OFF \
      -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" --target kestrava kestrava_docs >/dev/null
rm -f "$build"/kestrava_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
echo "$build"/kestrava_*.deb
