// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole games on the virtual clock, played by a scripted player.

#include "tests/CarefulPlayer.h"
#include "tests/GameFixture.h"

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

}  // namespace
}  // namespace kestrava::testing
