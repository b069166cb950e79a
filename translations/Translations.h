// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The language the game speaks. Its texts are written in Czech; an English
// translation is compiled in. A player whose messages locale is Czech, or
// the plain C/POSIX locale, gets the Czech original, every other player the
// English text. Numbers, the score file, the rules and the file and sound
// error messages are the same in both.

#include <QByteArray>

namespace kestrava {

enum class Language { Czech, English };

// The choice, as gettext makes it: the first entry of LANGUAGE (a colon
// separated list) that names a language the game has; without one, the
// messages locale (LC_ALL, else LC_MESSAGES, else LANG); C, POSIX or nothing
// set keeps the original. Entries look like "cs", "cs_CZ.UTF-8", "en@quot".
Language chooseLanguage(const QByteArray& language, const QByteArray& lcAll,
                        const QByteArray& lcMessages, const QByteArray& lang);

// Reads the environment and, for English, installs the translation into the
// application. Call once after the application object exists, before any
// window is built.
void installTranslations();

}  // namespace kestrava
