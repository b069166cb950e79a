// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Helpers shared by the tests.
//
// PrintTo lets GoogleTest show a QString (and so a QStringList and the
// messages of our error objects) as readable text in failure output instead
// of raw bytes. It lives in the global namespace, QString's own, so that
// GoogleTest finds it by argument-dependent lookup.

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
