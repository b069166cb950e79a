// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace kestrava {

namespace {
// DSEG7's digits fill the whole character height and are wide, where the
// seven-segment faces the layouts were made for leave room above and below:
// at the requested size four digits would not fit the title window's score
// box. It is scaled to the digit size those faces have.
// "Tw Cen MT" is a narrow face: the help lines were broken to fit the list in
// it. Of the packaged narrow and geometric faces measured against those lines
// and the other boxes, Roboto Condensed is the most legible one that fits
// unchanged (URW Gothic, the face nearest in shape, needs 85 % width).
struct Substitute {
    const char* requested;
    const char* standIn;
    int sizePercent;
    int stretch;
};
constexpr Substitute substitutes[] = {
    {"LED", "DSEG7 Classic", 72, 70},
    {"Tw Cen MT", "Roboto Condensed", 100, QFont::Unstretched},
    {"MS Sans Serif", "DejaVu Sans", 100, QFont::Unstretched},
};

const Substitute* activeSubstitute(const QString& family) {
    for (const Substitute& s : substitutes) {
        if (family == QLatin1String(s.requested))
            return QFont::substitute(family).compare(QLatin1String(s.standIn), Qt::CaseInsensitive) == 0
                       ? &s
                       : nullptr;
    }
    return nullptr;
}
}  // namespace

void registerFontSubstitutes() {
    const QStringList installed = QFontDatabase::families();
    for (const Substitute& s : substitutes) {
        const QString requested = QString::fromLatin1(s.requested);
        if (!installed.contains(requested, Qt::CaseInsensitive))
            QFont::insertSubstitution(requested, QString::fromLatin1(s.standIn));
    }
}

QFont face(const QString& family, int pixelSize, bool bold, bool underline) {
    QFont font(family);
    if (const Substitute* s = activeSubstitute(family)) {
        pixelSize = pixelSize * s->sizePercent / 100;
        font.setStretch(s->stretch);
    }
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setUnderline(underline);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

}  // namespace kestrava
