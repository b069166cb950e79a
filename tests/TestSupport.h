// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Helpers shared by the tests.
//
// PrintTo lets GoogleTest show a QString (and so a QStringList and the
// messages of our error objects) as readable text in failure output instead
// of raw bytes. It lives in the global namespace, QString's own, so that
// GoogleTest finds it by argument-dependent lookup.

#include "framework/Errors.h"

#include <QRect>
#include <QString>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// A rectangle as "QRect(left, top width x height)" in failure messages.
inline std::ostream& operator<<(std::ostream& out, const QRect& r) {
    return out << "QRect(" << r.left() << ", " << r.top() << " " << r.width() << " x "
               << r.height() << ")";
}

namespace kestrava::testing {

// Keeps every error dispatch() reports, as "Class: message", instead of
// showing it; install it with ScopedErrorReporter.
class RecordingReporter : public ErrorReporter {
public:
    void report(const Exception& error) override {
        reports.push_back(error.className() + QStringLiteral(": ") + error.message());
    }
    std::vector<QString> reports;
};

}  // namespace kestrava::testing
