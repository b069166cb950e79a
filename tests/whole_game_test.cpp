// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole games on the virtual clock, played by a scripted player.

#include "tests/CarefulPlayer.h"
#include "tests/GameFixture.h"

#include <QScreen>
#include <QTest>

namespace kestrava::testing {
namespace {

class WholeGameTest : public GameFixture {
protected:
    // Plays until the end panel shows, looking at the scene every 5 ms.
    void playToTheEnd(CarefulPlayer& player) {
        startGame();
        while (!game->konechry->Visible() && clock.nowMs() < 150000) {
            clock.advance(5);
            player.act();
        }
    }
};

TEST_F(WholeGameTest, ACarefulPlayerReachesTimeOutAndTheBonusIsShownAndStored) {
    CarefulPlayer player(*game);
    playToTheEnd(player);
    ASSERT_TRUE(game->konechry->Visible());
    EXPECT_EQ(clock.nowMs() / 1000, 141) << "the 141st clock tick ends the game";
    ASSERT_GT(game->lives, 0);
    EXPECT_FALSE(game->bohuzel->isVisible());
    const int shown = game->Lscore->Caption().toInt();
    const int bonus = 60 * game->lightsLeft + 70 * game->lives;
    EXPECT_GT(shown, 0);
    EXPECT_EQ(game->Label1->Caption(), QString::number(shown + bonus));
    EXPECT_TRUE(game->Label4->Visible());
    EXPECT_EQ(TemporaryWorkingDirectory::read("score"),
              game->Label1->Caption().toLatin1() + "\r\n");
    EXPECT_TRUE(reporter.reports.empty());
    EXPECT_EQ(sounds.count("sounds/tep.wav"), 11);
}

TEST_F(WholeGameTest, TheSameGameTwiceGivesTheSameScore) {
    CarefulPlayer player(*game);
    playToTheEnd(player);
    const QString first = game->Label1->Caption();
    const qint64 firstEnd = clock.nowMs();

    TearDown();
    VirtualClock second;
    ScopedClock scoped(second);
    createGame();
    CarefulPlayer again(*game);
    game->Show();
    while (!game->konechry->Visible() && second.nowMs() < 150000) {
        second.advance(5);
        again.act();
    }
    EXPECT_EQ(game->Label1->Caption(), first);
    EXPECT_EQ(second.nowMs(), firstEnd);
    game.reset();  // its timers run on `second`
}

// What the player sees of the clock, read from the window's own backing
// store after every tick, is what a fresh clock label with the same caption
// shows: no digit leaves ink behind (a stale segment turned 134 into 139).
TEST_F(WholeGameTest, TheClockReadsRightThroughAWholeGame) {
    CarefulPlayer player(*game);
    startGame();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(game.get()));
    // Below the lane 4 deck, above the bottom bar, from the end of "Time :"
    // to the gap: only the clock paints here.
    const QRect clockArea(76, 389, 140, 35);
    auto seen = [&clockArea](QWidget& window, TScene& client) {
        QCoreApplication::processEvents();
        const qreal scale = window.devicePixelRatio();
        const QRect area(client.mapTo(&window, clockArea.topLeft()) * scale,
                         clockArea.size() * scale);
        return window.screen()->grabWindow(window.winId()).toImage().copy(area);
    };
    TScene fresh(nullptr, game->client().size(), Qt::black);
    TLabel freshClock(fresh, game->hodiny->BoundsRect().topLeft(), QString(),
                      game->hodiny->Font(), Qt::yellow);
    fresh.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));

    QStringList misread;
    QStringList read;
    QString shown = game->hodiny->Caption();
    while (!game->konechry->Visible() && clock.nowMs() < 150000) {
        clock.advance(5);
        player.act();
        if (game->hodiny->Caption() == shown)
            continue;
        shown = game->hodiny->Caption();
        freshClock.setCaption(shown);
        // At 0 the end panel covers the clock.
        if (!game->konechry->Visible() && seen(*game, game->client()) != seen(fresh, fresh))
            misread << shown;
        read << shown;
    }
    EXPECT_TRUE(read.contains(QStringLiteral("134")) && read.contains(QStringLiteral("131")) &&
                read.contains(QStringLiteral("99")) && read.contains(QStringLiteral("1")))
        << read.join(QLatin1Char(' ')).toStdString();
    EXPECT_EQ(misread, QStringList()) << "scale " << game->devicePixelRatio();
}

}  // namespace
}  // namespace kestrava::testing
