// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ScoreFile.h"

#include "framework/StringListFile.h"

namespace kestrava {

void loadScoreFile(TListBox& list, const QString& fileName) {
    list.setItems(loadStringList(fileName));
}

void saveScoreFile(const TListBox& list, const QString& fileName) {
    saveStringList(fileName, list.Items());
}

void replaceBestScore(TListBox& list, const QString& best, const QString& fileName) {
    list.deleteFirst();
    list.append(best);
    saveScoreFile(list, fileName);
}

}  // namespace kestrava
