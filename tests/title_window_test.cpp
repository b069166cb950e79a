// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The title window and the score file it owns.

#include "app/Application.h"
#include "app/Unit1.h"
#include "dialogs/HelpBox.h"

#include <QTimer>
#include "tests/GameFixture.h"

#include <QtTest/QTest>

namespace kestrava::testing {
namespace {

class TitleWindowTest : public ::testing::Test {
protected:
    RecordingReporter reporter;
    ScopedErrorReporter scopedReporter{reporter};
    int terminations = 0;
    ScopedTerminateHandler scopedTerminate{[this] { ++terminations; }};
    TemporaryWorkingDirectory workDir;
    std::unique_ptr<TForm1> title;

    void createTitle(const QByteArray* scoreBytes) {
        initAssets();
        registerFontSubstitutes();
        if (scoreBytes)
            TemporaryWorkingDirectory::write("score", *scoreBytes);
        title.reset();
        title = std::make_unique<TForm1>();
        Form1 = title.get();
    }
    void TearDown() override {
        Form1 = nullptr;
        title.reset();
    }
    QByteArray score() const { return TemporaryWorkingDirectory::read("score"); }
};

TEST_F(TitleWindowTest, ResetRewritesTheFileAndRotatesFurtherLines) {
    struct Case {
        QByteArray before;
        QStringList shownBefore;
        QByteArray after;
        QStringList shownAfter;
    };
    const Case cases[] = {
        {"1230\r\n", {"1230"}, "0000\r\n", {"0000"}},
        {"1230\r\n77\r\n", {"1230", "77"}, "77\r\n0000\r\n", {"77", "0000"}},
        {"", {}, "0000\r\n", {"0000"}},
    };
    for (const Case& c : cases) {
        createTitle(&c.before);
        EXPECT_EQ(title->ListBox1->Items(), c.shownBefore);
        QTest::mouseClick(title->Button1, Qt::LeftButton);
        EXPECT_EQ(score(), c.after);
        EXPECT_EQ(title->ListBox1->Items(), c.shownAfter);
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(TitleWindowTest, EnterResetsLikeTheButton) {
    const QByteArray before = "1230\r\n";
    createTitle(&before);
    title->Show();
    QTest::keyClick(&title->client(), Qt::Key_Return);
    EXPECT_EQ(score(), "0000\r\n");
}

TEST_F(TitleWindowTest, AMissingFileIsReportedAtCreateAndShowAndResetCreatesIt) {
    createTitle(nullptr);
    title->Show();
    const std::vector<QString> twice(2, "EFOpenError: Cannot open file score");
    EXPECT_EQ(reporter.reports, twice);
    EXPECT_EQ(title->ListBox1->count(), 0);
    title->Button1Click();
    EXPECT_EQ(score(), "0000\r\n");
    EXPECT_EQ(reporter.reports.size(), 2u);
}

TEST_F(TitleWindowTest, AFailedSaveIsReportedAndLeavesTheOldFileWhole) {
    struct FailingWrites : FileSystem {
        FileSystem& real = fileSystem();
        QByteArray readFile(const QString& name) override { return real.readFile(name); }
        void writeFile(const QString& name, const QByteArray&) override {
            throw EFCreateError("Cannot create file " + name);
        }
    } failing;
    const QByteArray before = "1230\r\n";
    createTitle(&before);
    ScopedFileSystem scoped(failing);
    QTest::mouseClick(title->Button1, Qt::LeftButton);
    EXPECT_EQ(reporter.reports, std::vector<QString>{"EFCreateError: Cannot create file score"});
    EXPECT_EQ(score(), before);
    EXPECT_EQ(title->ListBox1->Items(), QStringList{"0000"}) << "the list already shows it";
}

TEST_F(TitleWindowTest, TheExitPictureAndCloseEndTheProgram) {
    const QByteArray before = "0000\r\n";
    createTitle(&before);
    title->Show();
    QTest::mouseClick(title->Panel2, Qt::LeftButton, {}, QPoint(50, 20));
    EXPECT_EQ(terminations, 1);
    title->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(title.get()));
    QTest::keyClick(&title->client(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(terminations, 2);
    EXPECT_TRUE(title->isVisible()) << "the main window is not hidden by its closing";
}

TEST_F(TitleWindowTest, TheStartPictureShowsTheGameOnceOnly) {
    VirtualClock clock;
    ScopedClock scopedClock(clock);
    RecordingSoundSystem sounds(clock);
    const QByteArray before = "0000\r\n";
    createTitle(&before);
    auto game = std::make_unique<TForm2>(sounds);
    Form2 = game.get();
    title->Show();
    // The start picture sits at 5,1 in its panel; its panel clips it at 124.
    QTest::mouseClick(title->Panel1, Qt::LeftButton, {}, QPoint(60, 20));
    ASSERT_TRUE(game->isVisible());
    clock.advance(2000);
    QTest::mouseClick(title->Panel1, Qt::LeftButton, {}, QPoint(60, 20));
    EXPECT_EQ(game->timeLeft, 138) << "a second click restarts nothing";
    game->hide();
    Form2 = nullptr;
}

// The title window, the game window and the Help dialog, as at start-up, with
// the game on the virtual clock.
class HelpFromBothWindows : public TitleWindowTest {
protected:
    VirtualClock clock;
    ScopedClock scopedClock{clock};
    RecordingSoundSystem sounds{clock};
    std::unique_ptr<TForm2> game;
    std::unique_ptr<TAboutBox1> help;

    void SetUp() override {
        const QByteArray best = "0000\r\n";
        createTitle(&best);
        game = std::make_unique<TForm2>(sounds);
        Form2 = game.get();
        help = std::make_unique<TAboutBox1>();
        AboutBox1 = help.get();
        title->Show();
        activate(*title);
    }
    static void activate(QWidget& window) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
    void TearDown() override {
        AboutBox1 = nullptr;
        Form2 = nullptr;
        help.reset();
        game->hide();
        game.reset();
        TitleWindowTest::TearDown();
    }
    // Presses F1 on `window` and reports which dialog came up, closing it.
    QWidget* dialogOpenedByF1(QWidget& window, const std::function<void()>& whileOpen = {}) {
        QWidget* opened = nullptr;
        QTimer::singleShot(0, [&] {
            opened = QApplication::activeModalWidget();
            if (whileOpen)
                whileOpen();
            if (auto* dialog = qobject_cast<QDialog*>(opened))
                dialog->accept();
        });
        QTest::keyClick(&window, Qt::Key_F1);
        return opened;
    }
};

TEST_F(HelpFromBothWindows, F1OpensHelpFromTheTitleAndFromThePlay) {
    EXPECT_EQ(dialogOpenedByF1(title->client()), help.get());
    title->Image2Click();
    activate(*game);
    EXPECT_EQ(dialogOpenedByF1(game->client()), help.get());
}

TEST_F(HelpFromBothWindows, TheGameRunsOnBehindTheHelpButTakesNoInput) {
    title->Image2Click();
    activate(*game);
    const int busBefore = game->bus01->Left();
    const int deckBefore = game->Ploska->Top();
    dialogOpenedByF1(game->client(), [&] {
        QTest::keyClick(game->windowHandle(), Qt::Key_Up);
        QTest::mouseClick(game->windowHandle(), Qt::LeftButton, {},
                          game->client().mapTo(game.get(), QPoint(278, 50)));
        clock.advance(1000);
    });
    EXPECT_LT(game->bus01->Left(), busBefore) << "the bus drove on";
    EXPECT_EQ(game->Ploska->Top(), deckBefore) << "the key did not reach the game";
    EXPECT_EQ(game->lanes[TForm2::BusLane].lightUses, 0) << "the click did not reach the light";
}

TEST_F(TitleWindowTest, TheLayoutAndItsTexts) {
    const QByteArray before = "1230\r\n";
    createTitle(&before);
    EXPECT_EQ(title->windowTitle(), "Kestrava");
    EXPECT_EQ(title->client().size(), QSize(487, 434));
    EXPECT_EQ(title->Image1->BoundsRect(), QRect(36, 32, 412, 260));
    EXPECT_EQ(title->Panel1->geometry(), QRect(320, 344, 129, 49));
    EXPECT_EQ(title->ListBox1->geometry(), QRect(216, 352, 65, 25));
    EXPECT_FALSE(title->ListBox1->isEnabled());
    EXPECT_EQ(title->Button1->geometry(), QRect(208, 383, 73, 17));
    EXPECT_EQ(title->Button1->text(), "Reset score");
    EXPECT_EQ(title->Button1->toolTip(), "Vynuluj skóre!!");
    EXPECT_EQ(title->Image2->Hint, "Spusť hru!!");
    EXPECT_EQ(title->Image3->Hint, "Ukonči hru!!");
    EXPECT_EQ(title->Label3->Caption(), "Highscore");
    EXPECT_EQ(title->Label2->Caption(), "Verze 1.01");
}

}  // namespace
}  // namespace kestrava::testing
