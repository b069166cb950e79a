// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Which language a player's environment picks, and what the English game
// shows once it is picked. The translation stays installed for the rest of
// the process, so the English windows are the last test.

#include "app/Unit1.h"
#include "assets/Assets.h"
#include "dialogs/AboutBox.h"
#include "dialogs/HelpBox.h"
#include "framework/Fonts.h"
#include "game/Unit2.h"
#include "tests/GameFixture.h"
#include "translations/Translations.h"

#include <gtest/gtest.h>

using namespace kestrava;

TEST(ChooseLanguage, FollowsLanguageListThenMessagesLocale) {
    struct Case {
        const char* language;
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Language expected;
    };
    constexpr Language Cs = Language::Czech;
    constexpr Language En = Language::English;
    const Case cases[] = {
        // Nothing set, C and POSIX: the original.
        {"", "", "", "", Cs},
        {"", "", "", "C", Cs},
        {"", "", "", "C.UTF-8", Cs},
        {"", "POSIX", "", "en_GB.UTF-8", Cs},
        // The messages locale: LC_ALL over LC_MESSAGES over LANG.
        {"", "", "", "cs_CZ.UTF-8", Cs},
        {"", "", "", "en_US.UTF-8", En},
        {"", "", "", "de_DE.UTF-8", En},
        {"", "", "cs_CZ.UTF-8", "en_GB.UTF-8", Cs},
        {"", "de_AT@euro", "cs_CZ.UTF-8", "cs_CZ.UTF-8", En},
        {"", "cs_CZ@euro", "", "en_GB.UTF-8", Cs},
        // LANGUAGE: its first language the game has wins, even over a C locale.
        {"en", "", "", "", En},
        {"en", "", "", "C", En},
        {"en_GB:cs", "", "", "cs_CZ.UTF-8", En},
        {"cs", "", "", "en_US.UTF-8", Cs},
        {"de:cs:en", "", "", "en_US.UTF-8", Cs},
        {"sk:de", "", "", "cs_CZ.UTF-8", Cs},
        {"sk:de", "", "", "fr_FR.UTF-8", En},
        {":en:", "", "", "C", En},
        // Only a whole language name counts: "csb" is Kashubian.
        {"csb", "", "", "en_US.UTF-8", En},
        {"", "", "", "csb_PL.UTF-8", En},
    };
    for (const Case& c : cases)
        EXPECT_EQ(chooseLanguage(c.language, c.lcAll, c.lcMessages, c.lang), c.expected)
            << "LANGUAGE=" << c.language << " LC_ALL=" << c.lcAll
            << " LC_MESSAGES=" << c.lcMessages << " LANG=" << c.lang;
}

TEST(EnglishGame, WindowsSpeakEnglishWithNumbersRulesAndErrorsUnchanged) {
    qputenv("LANGUAGE", "en");
    initAssets();
    registerFontSubstitutes();
    installTranslations();
    kestrava::testing::TemporaryWorkingDirectory workDir;
    kestrava::testing::TemporaryWorkingDirectory::write(QStringLiteral("score"), "1230\r\n");
    kestrava::testing::RecordingReporter reporter;
    ScopedErrorReporter scopedReporter(reporter);
    VirtualClock clock;
    kestrava::testing::RecordingSoundSystem sounds(clock);

    TForm1 title;
    EXPECT_EQ(title.Label2->Caption(), QStringLiteral("Version 1.01"));
    EXPECT_EQ(title.Button1->toolTip(), QStringLiteral("Reset the score!!"));
    EXPECT_EQ(title.ListBox1->line(0), QStringLiteral("1230"));

    TForm2 game(sounds);
    EXPECT_EQ(game.Label5->Caption(), QStringLiteral("Press Enter to quit"));
    EXPECT_EQ(game.hodiny->Caption(), QStringLiteral("140"));
    EXPECT_TRUE(game.bohuzel->toPlainText().startsWith(QStringLiteral("Sorry, ")));
    EXPECT_TRUE(game.bohuzel->toPlainText().endsWith(QStringLiteral("GAME OVER")));

    TAboutBox about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(about.Label2->Caption(), QStringLiteral("Supported by"));

    TAboutBox1 help;
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Help"));
    EXPECT_EQ(help.Label1->Caption(), QStringLiteral("HELP"));
    const QStringList lines = help.ListBox1->Items();
    ASSERT_GT(lines.size(), 20);
    EXPECT_EQ(lines.first(), QStringLiteral("Help:"));
    EXPECT_TRUE(lines.filter(QStringLiteral("140 seconds")).size() == 1) << lines.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(HelpLines.first(), QStringLiteral("Nápověda:")) << "the original stays the source";

    // The file error keeps its own wording in English.
    QFile::remove(QStringLiteral("score"));
    dispatch([&title] { title.FormShow(); });
    ASSERT_EQ(reporter.reports.size(), 1u);
    EXPECT_EQ(reporter.reports[0], QStringLiteral("EFOpenError: Cannot open file score"));
}
