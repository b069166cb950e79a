// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/LinkOpener.h"

#include <QDesktopServices>

namespace kestrava {

namespace {
UrlOpener& currentOpener() {
    static UrlOpener opener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return opener;
}
}  // namespace

void openLink(const QUrl& url) { static_cast<void>(currentOpener()(url)); }

ScopedUrlOpener::ScopedUrlOpener(UrlOpener opener)
    : ScopedOverride(currentOpener(), std::move(opener)) {}

}  // namespace kestrava
