// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The `score` file, the game's only persistent state: the best score as the
// first line, as the player saw it on screen ("0000" after a reset). Further
// lines have no meaning but are kept; replacing the best rotates them.
//
// The operations work on the file's lines as a QStringList, so the title
// window and the game window keep their working copies in whatever shows
// them. Each opens, reads or writes, and closes the file within the call. The
// name is relative: the file lives in the working directory.

#include <QString>
#include <QStringList>

namespace kestrava {

inline const QString ScoreFileName = QStringLiteral("score");
inline const QString ResetScore = QStringLiteral("0000");

// The file's lines. Throws EFOpenError when the file cannot be opened.
QStringList loadScoreFile(const QString& fileName = ScoreFileName);

// Writes every line, replacing the file (EFCreateError when it cannot; the
// old file then stays whole).
void saveScoreFile(const QStringList& lines, const QString& fileName = ScoreFileName);

// The lines a new best makes: the first line (if any) deleted and `best`
// appended as the last line. Nothing is saved.
QStringList withBestReplaced(QStringList lines, const QString& best);

}  // namespace kestrava
