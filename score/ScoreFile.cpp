// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/ScoreFile.h"

#include "framework/StringListFile.h"

namespace kestrava {

QStringList loadScoreFile(const QString& fileName) { return loadStringList(fileName); }

void saveScoreFile(const QStringList& lines, const QString& fileName) {
    saveStringList(fileName, lines);
}

QStringList withBestReplaced(QStringList lines, const QString& best) {
    if (!lines.isEmpty())
        lines.removeFirst();
    lines.append(best);
    return lines;
}

}  // namespace kestrava
