// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The game window: its still scene, its state at creation and its window
// handlers.

#include "game/GameRules.h"
#include "tests/GameFixture.h"

#include <QtTest/QTest>

namespace kestrava::testing {
namespace {

using GameWindowTest = GameFixture;

// Pixels between a light post and the gap at most.
constexpr int MostFromGap = 2;

// The rules compare the deck piece's Top with the lane levels, and the scene
// draws the lanes: the two must agree, and the piece must be able to reach
// every level in whole steps from where it starts.
TEST_F(GameWindowTest, EachLaneLevelIsTheTopOfItsDecksAndTheDeckPieceReachesIt) {
    struct Lane {
        const char* name;
        int level;
        const TShape* leftDeck;
        const TShape* rightDeck;
        const TImage* post;
    };
    const Lane lanes[] = {
        {"bus", rules::BusLevel, game->Shape1.get(), game->Shape2.get(), game->Image10.get()},
        {"tram", rules::TramLevel, game->Shape11.get(), game->Shape3.get(), game->Image18.get()},
        {"truck", rules::TruckLevel, game->Shape4.get(), game->Shape5.get(), game->Image17.get()},
        {"motorka", rules::MotorkaLevel, game->Shape7.get(), game->Shape8.get(),
         game->Image19.get()},
    };
    const QRect gap(QPoint(game->Shape1->BoundsRect().right() + 1, 0),
                    QPoint(game->Shape2->BoundsRect().left() - 1, 433));
    const int start = game->Ploska->Top();
    for (const Lane& lane : lanes) {
        SCOPED_TRACE(lane.name);
        EXPECT_EQ(lane.leftDeck->Top(), lane.level);
        EXPECT_EQ(lane.rightDeck->Top(), lane.level);
        EXPECT_EQ(lane.leftDeck->BoundsRect().right() + 1, gap.left());
        EXPECT_EQ(lane.rightDeck->BoundsRect().left(), gap.right() + 1);
        EXPECT_EQ((start - lane.level) % rules::DeckStep, 0) << "out of the piece's reach";
        // Its light post stands on the lane's deck, at the edge of the gap.
        const QRect post = lane.post->BoundsRect();
        EXPECT_EQ(post.bottom() + 1, lane.level);
        const int fromGap =
            post.left() > gap.right() ? post.left() - gap.right() : gap.left() - post.right();
        EXPECT_GE(fromGap, 1) << "the post stands in the gap";
        EXPECT_LE(fromGap, MostFromGap);
    }
    EXPECT_EQ(game->Ploska->geometry().left(), gap.left()) << "the piece fills the gap";
    EXPECT_EQ(game->Ploska->geometry().right(), gap.right());
}

TEST_F(GameWindowTest, EachLampLightsOnItsOwnPost) {
    const std::pair<const TImage*, std::vector<const TShape*>> posts[] = {
        {game->Image10.get(), {game->red01.get(), game->zel01.get()}},
        {game->Image18.get(), {game->red02.get(), game->zel02.get()}},
        {game->Image17.get(), {game->red03.get(), game->zel03.get()}},
        {game->Image19.get(), {game->red04.get(), game->zel04.get()}},
    };
    for (const auto& [post, lamps] : posts) {
        for (const TShape* lamp : lamps)
            EXPECT_TRUE(post->BoundsRect().contains(lamp->BoundsRect())) << lamp->BoundsRect();
    }
}

TEST_F(GameWindowTest, CreationSetsTheStateAndHidesTheEndPanel) {
    EXPECT_EQ(game->lives, 5);
    EXPECT_EQ(game->lightsLeft, 8);
    EXPECT_EQ(game->runningScore, 0);
    for (const TForm2::LaneState& lane : game->lanes) {
        EXPECT_EQ(lane.lightUses, 0);
        EXPECT_FALSE(lane.bridged);
    }
    EXPECT_FALSE(game->konechry->Visible());
    EXPECT_TRUE(game->zel01->Visible());
    EXPECT_FALSE(game->red01->Visible());
    EXPECT_TRUE(game->Memo1->toPlainText().startsWith("Blahopřeji, právě jsi dohrál \n"));
    EXPECT_EQ(game->bohuzel->toPlainText().split('\n').last(),
              QString(28, ' ') + "GAME OVER");
    EXPECT_EQ(game->hodiny->Caption(), "140");
    EXPECT_EQ(game->Lscore->Caption(), "");
    EXPECT_EQ(game->windowTitle(), "Kestrava");
}

TEST_F(GameWindowTest, BeforeTheStartOnlyTheWatcherTicks) {
    clock.advance(10000);
    EXPECT_EQ(game->bus01->Left(), 560);
    EXPECT_EQ(game->kamion->Left(), -200);
    EXPECT_EQ(game->hodiny->Caption(), "140");
    EXPECT_TRUE(game->Timer2.ticking());
}

TEST_F(GameWindowTest, ShowingStartsTheBusTheTruckAndTheClockOnly) {
    startGame();
    EXPECT_TRUE(game->Timer1.Enabled());
    EXPECT_TRUE(game->Timer3.Enabled());
    EXPECT_TRUE(game->hodinky.Enabled());
    EXPECT_FALSE(game->Timer4.Enabled());
    EXPECT_FALSE(game->Timer5.Enabled());
    EXPECT_EQ(game->timeLeft, 140);
    // Showing it again starts nothing anew.
    clock.advance(3500);
    game->Show();
    EXPECT_EQ(game->timeLeft, 137);
}

TEST_F(GameWindowTest, HidingStopsFiveTimers) {
    startGame();
    game->FormClick();
    game->hide();
    for (const TTimer* t : {&game->Timer1, &game->Timer3, &game->Timer2, &game->Timer4,
                            &game->hodinky})
        EXPECT_FALSE(t->Enabled());
    EXPECT_TRUE(game->Timer5.Enabled());
}

TEST_F(GameWindowTest, ABackgroundClickReleasesEveryLaneAndTheClock) {
    startGame();
    QTest::mouseClick(&game->client(), Qt::LeftButton, {}, QPoint(240, 20));
    for (const TTimer* t : {&game->Timer1, &game->hodinky, &game->Timer3, &game->Timer4,
                            &game->Timer5})
        EXPECT_TRUE(t->Enabled());
}

TEST_F(GameWindowTest, EnterEndsTheProgramOnlyOnTheEndPanel) {
    startGame();
    QTest::keyClick(&game->client(), Qt::Key_Return);
    EXPECT_EQ(terminations, 0);
    game->konechry->Show();
    QTest::keyClick(&game->client(), Qt::Key_Return);
    EXPECT_EQ(terminations, 1);
}

TEST_F(GameWindowTest, CloseAndItsShortcutEndTheProgram) {
    startGame();
    game->Ukonit1Click();
    EXPECT_EQ(terminations, 1);
    game->close();
    EXPECT_EQ(terminations, 2);
}

}  // namespace
}  // namespace kestrava::testing
