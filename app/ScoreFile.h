// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The `score` file, the game's only persistent state: the best score as the
// first line, as the player saw it on screen ("0000" after a reset). Further
// lines have no meaning but are kept; replacing the best rotates them.
//
// Each operation takes the list box whose items hold the file's lines, and
// opens, reads or writes, and closes the file within the call. The name is
// relative: the file lives in the working directory.

#include "framework/Controls.h"

namespace kestrava {

inline const QString ScoreFileName = QStringLiteral("score");
inline const QString ResetScore = QStringLiteral("0000");

// Replaces the list's lines with the file's. When the file cannot be opened
// the list keeps its lines and EFOpenError is thrown.
void loadScoreFile(TListBox& list, const QString& fileName = ScoreFileName);

// Writes every line of the list, replacing the file (EFCreateError when it
// cannot; the old file then stays whole).
void saveScoreFile(const TListBox& list, const QString& fileName = ScoreFileName);

// Deletes the first line (if any), appends `best` as the last line, saves.
void replaceBestScore(TListBox& list, const QString& best,
                      const QString& fileName = ScoreFileName);

}  // namespace kestrava
