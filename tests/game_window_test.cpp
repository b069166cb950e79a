// The game window: its still scene, its state at creation and its window
// handlers.

#include "tests/GameFixture.h"

#include <QtTest/QTest>

namespace kestrava::testing {
namespace {

using GameWindowTest = GameFixture;

TEST_F(GameWindowTest, TheSceneStandsWhereThePlayExpectsIt) {
    struct Spot {
        const char* name;
        QRect actual;
        QRect expected;
    };
    const Spot spots[] = {
        {"Shape10", game->Shape10->BoundsRect(), QRect(0, 0, 489, 14)},
        {"Shape9", game->Shape9->BoundsRect(), QRect(0, 424, 489, 9)},
        {"Shape1", game->Shape1->BoundsRect(), QRect(0, 70, 217, 33)},
        {"Shape3", game->Shape3->BoundsRect(), QRect(272, 175, 214, 33)},
        {"Image2", game->Image2->BoundsRect(), QRect(72, 104, 354, 230)},
        {"Image9", game->Image9->BoundsRect(), QRect(273, 272, 214, 29)},
        {"bus01", game->bus01->BoundsRect(), QRect(560, 29, 99, 42)},
        {"tramvaj", game->tramvaj->BoundsRect(), QRect(700, 131, 148, 47)},
        {"kamion", game->kamion->BoundsRect(), QRect(-200, 222, 124, 52)},
        {"motorka", game->motorka->BoundsRect(), QRect(500, 319, 99, 42)},
        {"Image17", game->Image17->BoundsRect(), QRect(200, 231, 16, 39)},
        {"zel04", game->zel04->BoundsRect(), QRect(277, 326, 6, 6)},
        {"life04", game->life04->BoundsRect(), QRect(120, 18, 19, 16)},
        {"Image15", game->Image15->BoundsRect(), QRect(432, 128, 51, 46)},
        {"Ploska", game->Ploska->geometry(), QRect(217, 405, 55, 17)},
        {"konechry", game->konechry->geometry(), QRect(0, 0, 489, 433)},
        {"Memo1", game->Memo1->geometry(), QRect(96, 88, 305, 49)},
        {"bohuzel", game->bohuzel->geometry(), QRect(88, 88, 313, 249)},
    };
    for (const Spot& s : spots)
        EXPECT_EQ(s.actual, s.expected) << s.name;
    EXPECT_EQ(game->client().size(), QSize(487, 434));
    EXPECT_EQ(game->hodiny->Caption(), "140");
    EXPECT_EQ(game->Lscore->Caption(), "");
    EXPECT_EQ(game->windowTitle(), "Kestrava");
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
