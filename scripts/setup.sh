#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Kestrava developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages Kestrava needs to build, run and test.
# Safe to run again: packages already present are skipped, and apt is only
# touched when something is missing.
set -euo pipefail

packages=(
  # build
  cmake ninja-build g++ pkg-config
  qt6-base-dev libsdl2-mixer-dev libjpeg-dev libasound2-dev
  # faces the game asks for
  fonts-dseg fonts-roboto-unhinted fonts-dejavu-core
  # the faces the asset painter letters its pictures in
  fonts-urw-base35
  # the English translation: lupdate and lrelease, and their CMake functions
  qt6-l10n-tools qt6-tools-dev
  # tests and tooling
  googletest libgtest-dev xvfb xdotool x11-utils imagemagick sox shellcheck
  # the bench's key-to-pixel probe: fake keys and damage reports over XCB
  libxcb-xtest0-dev libxcb-damage0-dev
  # a real sound server and a Wayland compositor for the desktop tests
  pulseaudio pulseaudio-utils weston qt6-wayland
  # a window manager for the end-to-end runs: windows become active as on a
  # player's desktop, so window shortcuts work
  openbox
  # the fuzz targets: clang with its libFuzzer and sanitizer runtimes (the
  # sanitizer build itself uses g++'s runtimes, which come with g++)
  clang libclang-rt-14-dev
  # validators of the desktop entry and the AppStream metainfo, the
  # licence check, Debian's package checker, and `man` for the manual page
  desktop-file-utils appstream reuse lintian man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
