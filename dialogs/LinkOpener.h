// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Opening a web address in the desktop's default browser.
//
// The About dialog's links go through openLink(), which hands the address to
// the current opener and returns at once: the browser starts on its own, and
// whether the desktop managed to start it is of no interest to the game (no
// browser or no network is simply nothing happening). The opener starts as
// one that asks QDesktopServices; tests install a recording one with
// ScopedUrlOpener.

#include "framework/ScopedOverride.h"

#include <QUrl>
#include <functional>

namespace kestrava {

// Asks for `url` to be opened; true when the request was accepted.
using UrlOpener = std::function<bool(const QUrl&)>;

// Hands `url` to the current opener and ignores its answer.
void openLink(const QUrl& url);

// Replaces the opener for its own lifetime; nests.
class ScopedUrlOpener : public ScopedOverride<UrlOpener> {
public:
    explicit ScopedUrlOpener(UrlOpener opener);
};

}  // namespace kestrava
