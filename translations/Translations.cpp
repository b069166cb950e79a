// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations/Translations.h"

#include <QCoreApplication>
#include <QTranslator>
#include <optional>

namespace kestrava {

namespace {

// The translation compiled in by qt_add_translations.
const char* const EnglishTranslation = ":/i18n/kestrava_en.qm";

// "cs_CZ.UTF-8@euro" -> "cs_CZ": the language and territory alone.
QByteArray localeName(const QByteArray& locale) {
    QByteArray name = locale;
    for (const char end : {'.', '@'}) {
        const qsizetype at = name.indexOf(end);
        if (at >= 0)
            name.truncate(at);
    }
    return name;
}

// The language a locale name stands for, where the game has it.
std::optional<Language> languageOf(const QByteArray& name) {
    if (name == "cs" || name.startsWith("cs_"))
        return Language::Czech;
    if (name == "en" || name.startsWith("en_"))
        return Language::English;
    return std::nullopt;
}

}  // namespace

Language chooseLanguage(const QByteArray& language, const QByteArray& lcAll,
                        const QByteArray& lcMessages, const QByteArray& lang) {
    for (const QByteArray& entry : language.split(':')) {
        if (const std::optional<Language> listed = languageOf(localeName(entry)))
            return *listed;
    }
    const QByteArray name =
        localeName(!lcAll.isEmpty() ? lcAll : !lcMessages.isEmpty() ? lcMessages : lang);
    if (name.isEmpty() || name == "C" || name == "POSIX")
        return Language::Czech;
    return languageOf(name).value_or(Language::English);
}

void installTranslations() {
    if (chooseLanguage(qgetenv("LANGUAGE"), qgetenv("LC_ALL"), qgetenv("LC_MESSAGES"),
                       qgetenv("LANG")) != Language::English)
        return;
    static QTranslator english;
    if (english.load(QString::fromLatin1(EnglishTranslation)))
        QCoreApplication::installTranslator(&english);
}

}  // namespace kestrava
