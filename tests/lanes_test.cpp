// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The deck piece and the four vehicle lanes, on the virtual clock.

#include "game/GameRules.h"
#include "tests/GameFixture.h"

#include <QtTest/QTest>

namespace kestrava::testing {
namespace {

using DeckTest = GameFixture;

TEST_F(DeckTest, ArrowsMoveByFiveAndWrapAtTheBars) {
    struct Case {
        int startTop;
        int key;
        int presses;
        int expectedTop;
    };
    const Case cases[] = {
        {405, KeyUp, 67, 70},    // the bus lane
        {405, KeyUp, 47, 170},   // between lanes
        {405, KeyDown, 1, 15},   // past the bottom bar
        {15, KeyUp, 1, 405},     // past the top bar
        {405, 'A', 3, 405},   // other keys leave it
        {200, KeyEnter, 1, 200},
        {15, KeyDown, 1, 20},
    };
    for (const Case& c : cases) {
        game->Ploska->setTop(c.startTop);
        pressKey(c.key, c.presses);
        EXPECT_EQ(game->Ploska->Top(), c.expectedTop)
            << "from " << c.startTop << ", key " << c.key << " x" << c.presses;
    }
}

TEST_F(DeckTest, RealKeyEventsReachTheHandlerWithAutoRepeatAndModifiers) {
    startGame();
    QTest::keyClick(&game->client(), Qt::Key_Up);
    QTest::keyClick(&game->client(), Qt::Key_Up, Qt::ShiftModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(&game->client(), &repeat);
    EXPECT_EQ(game->Ploska->Top(), 405 - 3 * 5);
}

TEST_F(DeckTest, TheWrapLimitsAreReadFromTheBarsAtTheKeyPress) {
    game->Shape9->setTop(300);
    game->Ploska->setTop(290);
    pressKey('X');
    EXPECT_EQ(game->Ploska->Top(), 15);
}

class LaneFixture : public GameFixture {
protected:
    // The virtual time of each lost life, and whether the crash cue sounded
    // at that moment.
    struct Loss {
        qint64 atMs;
        bool crashed;
    };
    std::vector<Loss> playUntilLivesAre(int lives, qint64 limitMs) {
        std::vector<Loss> losses;
        int seen = game->lives;
        while (game->lives > lives && clock.nowMs() < limitMs && clock.fireNext()) {
            if (game->lives != seen) {
                seen = game->lives;
                const bool crashed = !sounds.played.empty() &&
                                     sounds.played.back().file == "sounds/crash.wav" &&
                                     sounds.played.back().atMs == clock.nowMs();
                losses.push_back({clock.nowMs(), crashed});
            }
        }
        return losses;
    }
};

TEST_F(LaneFixture, ANeverMovedDeckLosesTheFiveLivesOnTimeAndEndsTheGame) {
    startGame();
    const auto losses = playUntilLivesAre(0, 60000);
    ASSERT_EQ(losses.size(), 5u);
    const qint64 expectedMs[] = {5390, 8664, 13230, 17328, 21070};
    const bool expectedCrash[] = {true, false, true, false, true};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(losses[i].atMs, expectedMs[i]) << "life " << i + 1;
        EXPECT_EQ(losses[i].crashed, expectedCrash[i]) << "life " << i + 1;
    }
    EXPECT_TRUE(game->konechry->Visible());
    EXPECT_FALSE(game->bohuzel->isHidden());
    for (const TTimer* t : {&game->Timer1, &game->Timer3, &game->Timer4, &game->Timer5,
                            &game->hodinky})
        EXPECT_FALSE(t->Enabled());
    EXPECT_TRUE(game->Timer2.Enabled());
    // The tram and the motorcycle were never released.
    EXPECT_EQ(game->tramvaj->Left(), 700);
    EXPECT_EQ(game->motorka->Left(), 500);
    for (const auto* icon : {&game->life01, &game->life02, &game->life03, &game->life04})
        EXPECT_FALSE((*icon)->Visible());
}

TEST_F(LaneFixture, TheBusCrossesTheBridgedLaneScoresAndReleasesTheTram) {
    holdDeckAt(rules::BusLevel);
    startGame();
    ASSERT_TRUE(advanceUntil([&] { return game->bus01->Left() == 126; }, 10000));
    EXPECT_EQ(game->runningScore, 0);
    EXPECT_FALSE(game->Timer4.Enabled());
    clock.fireNext();
    EXPECT_EQ(game->bus01->Left(), 124);
    EXPECT_EQ(game->runningScore, 50);
    EXPECT_EQ(game->Lscore->Caption(), "50");
    EXPECT_TRUE(game->Timer4.Enabled());
    EXPECT_EQ(game->lives, 5);
    ASSERT_TRUE(advanceUntil([&] { return game->tramvaj->Left() != 700; }, 100));
    EXPECT_EQ(game->tramvaj->Left(), 698);
}

TEST_F(LaneFixture, TheBusHornSoundsAtFourHundredSixty) {
    startGame();
    ASSERT_TRUE(advanceUntil([&] { return game->bus01->Left() == 460; }, 5000));
    EXPECT_EQ(sounds.count("sounds/autobus.wav"), 1);
}

TEST_F(LaneFixture, TheTruckFallsSilentlyAtItsEdgeButCrashesInsideItsRange) {
    // Piece away at the truck's edge: silent fall, restart off-screen.
    game->kamion->setLeft(102);
    game->Timer3Timer();
    EXPECT_EQ(game->lives, 4);
    EXPECT_EQ(game->kamion->Left(), -200);
    EXPECT_EQ(sounds.count("sounds/crash.wav"), 0);

    // Piece at the level at the edge, then moved away inside the range.
    holdDeckAt(rules::TruckLevel);
    game->kamion->setLeft(102);
    game->Timer3Timer();
    game->Timer3Timer();
    EXPECT_EQ(game->kamion->Left(), 106);
    EXPECT_EQ(game->lives, 4);
    pressKey(KeyUp);
    game->Timer3Timer();
    EXPECT_EQ(game->lives, 3);
    EXPECT_EQ(sounds.count("sounds/crash.wav"), 1);
    EXPECT_EQ(game->kamion->Left(), -200);
}

TEST_F(LaneFixture, TheTramEdgeUsesThePreviousTicksFlag) {
    game->Timer4.setEnabled(true);
    // Never bridged: a silent fall at 270 stops the tram at its restart place.
    game->tramvaj->setLeft(272);
    game->Timer4Timer();
    EXPECT_EQ(game->lives, 4);
    EXPECT_EQ(sounds.count("sounds/crash.wav"), 0);
    EXPECT_EQ(game->tramvaj->Left(), 700);
    EXPECT_FALSE(game->Timer4.Enabled());

    // Bridged at the end of the tick to 272, moved away before the tick to
    // 270: the edge passes, the open range catches it one tick later.
    game->Timer4.setEnabled(true);
    holdDeckAt(rules::TramLevel);
    game->tramvaj->setLeft(274);
    game->Timer4Timer();
    pressKey(KeyDown);
    game->Timer4Timer();
    EXPECT_EQ(game->tramvaj->Left(), 270);
    EXPECT_EQ(game->lives, 4);
    game->Timer4Timer();
    EXPECT_EQ(game->lives, 3);
    EXPECT_EQ(sounds.count("sounds/crash.wav"), 1);
    EXPECT_FALSE(game->Timer4.Enabled());
}

TEST_F(LaneFixture, TheTramScoresSeventyAndStopsAtTheEndOfItsRun) {
    holdDeckAt(rules::TramLevel);
    game->Timer4.setEnabled(true);
    game->tramvaj->setLeft(84);
    game->Timer4Timer();
    EXPECT_EQ(game->runningScore, 70);
    EXPECT_EQ(game->Lscore->Caption(), "") << "only the bus tick writes the label";
    game->tramvaj->setLeft(-198);
    game->Timer4Timer();
    EXPECT_EQ(game->tramvaj->Left(), 700);
    EXPECT_FALSE(game->Timer4.Enabled());
}

TEST_F(LaneFixture, MotorkaAtTwoFiftySevenIsNeitherAtItsEdgeNorInItsRange) {
    game->Timer5.setEnabled(true);
    holdDeckAt(rules::MotorkaLevel);
    game->motorka->setLeft(259);
    game->Timer5Timer();  // to 258, bridged
    pressKey(KeyUp);
    for (int expectedLeft : {257, 256}) {
        game->Timer5Timer();
        EXPECT_EQ(game->motorka->Left(), expectedLeft);
        EXPECT_EQ(game->lives, 5);
        EXPECT_TRUE(game->motorka->Visible());
    }
    game->Timer5Timer();
    EXPECT_EQ(game->lives, 4);
    EXPECT_EQ(sounds.count("sounds/crash.wav"), 1);
    EXPECT_EQ(game->motorka->Left(), 500);
    EXPECT_FALSE(game->Timer5.Enabled());
}

TEST_F(LaneFixture, TheTruckReleasesMotorkaWhichScoresAndSoundsItsEngine) {
    game->kamion->setLeft(298);
    game->Timer3Timer();
    EXPECT_TRUE(game->Timer5.Enabled());
    game->motorka->setLeft(461);
    game->Timer5Timer();
    game->Timer5Timer();
    EXPECT_EQ(sounds.count("sounds/motorka.wav"), 1);
    holdDeckAt(rules::MotorkaLevel);
    game->motorka->setLeft(137);
    game->Timer5Timer();
    EXPECT_EQ(game->runningScore, 50);
    game->motorka->setLeft(-199);
    game->Timer5Timer();
    EXPECT_EQ(game->motorka->Left(), 500);
    EXPECT_FALSE(game->Timer5.Enabled());
}

TEST_F(LaneFixture, TheTruckHornSoundsAtMinusEighty) {
    game->kamion->setLeft(-82);
    game->Timer3Timer();
    EXPECT_EQ(sounds.count("sounds/kamion.wav"), 0);
    game->Timer3Timer();
    EXPECT_EQ(sounds.count("sounds/kamion.wav"), 1);
}

TEST_F(LaneFixture, AfterGameOverTheScoreIsZeroWhileTheLabelKeepsItsLastValue) {
    holdDeckAt(rules::BusLevel);
    game->bus01->setLeft(126);
    game->Timer1Timer();
    ASSERT_EQ(game->Lscore->Caption(), "50");
    game->lives = 1;
    game->kamion->setLeft(102);
    game->Timer3Timer();
    EXPECT_EQ(game->lives, 0);
    EXPECT_EQ(game->runningScore, 0);
    EXPECT_EQ(game->Lscore->Caption(), "50");
    EXPECT_TRUE(game->konechry->Visible());
}

TEST_F(LaneFixture, TheSoundCuesAreOpenedInOrderFromTheSoundsFolder) {
    EXPECT_EQ(sounds.opened,
              (std::vector<QString>{"sounds/autobus.wav", "sounds/crash.wav",
                                    "sounds/motorka.wav", "sounds/kamion.wav",
                                    "sounds/tep.wav"}));
}

}  // namespace
}  // namespace kestrava::testing
