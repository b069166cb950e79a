// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Traffic lights, the game clock with the end of the game, and the
// high-score watcher, on the virtual clock. Clicks are real mouse events on
// the client area, so the scene's click routing takes part in every test.

#include "framework/StringListFile.h"
#include "game/GameRules.h"
#include "tests/GameFixture.h"

#include <QtTest/QTest>
#include <optional>

namespace kestrava::testing {
namespace {

using rules::BusLevel;
const QString TepCue = QStringLiteral("sounds/tep.wav");
const QString CrashCue = QStringLiteral("sounds/crash.wav");

// Client-area points: on each post clear of its lamps, the free background,
// and the bottom row, which the end panel leaves uncovered.
constexpr QPoint Lane1Post(274, 60);
constexpr QPoint Lane2Post(274, 165);
constexpr QPoint Lane3Post(202, 260);
constexpr QPoint Lane4Post(274, 345);
constexpr QPoint Background(240, 20);
constexpr QPoint BottomRow(240, 433);

// The clock's 141st tick ends the game.
constexpr qint64 TimeOutAfterMs = 141000;

class EndGameFixture : public GameFixture {
protected:
    void click(QPoint at) { QTest::mouseClick(&game->client(), Qt::LeftButton, {}, at); }

    // A double-click as Qt delivers it: press, release, then the second
    // press followed by its double-click event, and the last release.
    void doubleClick(QPoint at) {
        QWidget* scene = &game->client();
        QTest::mousePress(scene, Qt::LeftButton, {}, at);
        QTest::mouseRelease(scene, Qt::LeftButton, {}, at);
        QTest::mousePress(scene, Qt::LeftButton, {}, at);
        QTest::mouseDClick(scene, Qt::LeftButton, {}, at);
        QTest::mouseRelease(scene, Qt::LeftButton, {}, at);
    }

    void advanceTo(qint64 ms) { clock.advance(ms - clock.nowMs()); }

    // The bus tick is the one writer of the score label.
    void busWritesScore(int score) {
        game->runningScore = score;
        game->Timer1Timer();
    }

    static QByteArray scoreFile() { return TemporaryWorkingDirectory::read("score"); }
    static void writeScoreFile(const QByteArray& bytes) {
        TemporaryWorkingDirectory::write("score", bytes);
    }

    // Starts a game in which only the clock runs: the bus and the truck are
    // stopped so that the lives last the whole count-down. The start lies
    // half a second after a watcher tick (the watcher ticks on whole seconds
    // since the window's creation), so the clock's tick at time-out comes
    // half a second after the watcher's last tick, never at the same moment.
    void startClockOnly() {
        clock.advance(500);
        startGame();
        game->Timer1.setEnabled(false);
        game->Timer3.setEnabled(false);
        startedAtMs = clock.nowMs();
    }

    std::vector<const TTimer*> playTimers() const {
        return {&game->Timer1, &game->Timer3, &game->Timer2, &game->Timer4, &game->Timer5,
                &game->hodinky};
    }

    // Once the end panel shows, a click on the bottom row, where neither an
    // item nor the panel lies, must not start the lanes and the clock again.
    void expectTheBottomRowClickStartsNothing() {
        ASSERT_EQ(game->client().itemAt(BottomRow), nullptr);
        ASSERT_EQ(game->client().childAt(BottomRow), nullptr);
        const QString shownTime = game->hodiny->Caption();
        click(BottomRow);
        for (const TTimer* t : {&game->Timer1, &game->Timer3, &game->Timer4, &game->Timer5,
                                &game->hodinky})
            EXPECT_FALSE(t->Enabled());
        clock.advance(3000);
        EXPECT_EQ(game->hodiny->Caption(), shownTime);
    }

    qint64 startedAtMs = 0;
};

// ---------------------------------------------------------------- lights

using LightsTest = EndGameFixture;

TEST_F(LightsTest, TheSecondUseDuringTheFirstHaltDisablesThePostAndTheHaltEndsOnTime) {
    struct Light {
        const char* name;
        QPoint post;
        const TImage* postItem;
        const TShape* red;
        const TShape* green;
        const TTimer* lightTimer;
        const TTimer* laneTimer;
        int runningMs;
        TForm2::Lane lane;
    };
    const Light lights[] = {
        {"lane 1", Lane1Post, game->Image10.get(), game->red01.get(), game->zel01.get(),
         &game->semafor, &game->Timer1, 35, TForm2::BusLane},
        {"lane 2", Lane2Post, game->Image18.get(), game->red02.get(), game->zel02.get(),
         &game->semafor1, &game->Timer4, 40, TForm2::TramLane},
        {"lane 3", Lane3Post, game->Image17.get(), game->red03.get(), game->zel03.get(),
         &game->semafor2, &game->Timer3, 57, TForm2::TruckLane},
        {"lane 4", Lane4Post, game->Image19.get(), game->red04.get(), game->zel04.get(),
         &game->semafor3, &game->Timer5, 30, TForm2::MotorkaLane},
    };
    int expectedLightsLeft = 8;
    for (const Light& l : lights) {
        SCOPED_TRACE(l.name);
        const qint64 firstClickMs = clock.nowMs();
        click(l.post);
        EXPECT_EQ(game->lightsLeft, --expectedLightsLeft);
        EXPECT_TRUE(l.postItem->Enabled());
        clock.advance(2000);
        click(l.post);
        EXPECT_EQ(game->lanes[l.lane].lightUses, 2);
        EXPECT_EQ(game->lightsLeft, --expectedLightsLeft);
        EXPECT_FALSE(l.postItem->Enabled());

        advanceTo(firstClickMs + 4999);
        EXPECT_TRUE(l.red->Visible());
        EXPECT_FALSE(l.green->Visible());
        EXPECT_EQ(l.laneTimer->Interval(), 0);
        advanceTo(firstClickMs + 5000);
        EXPECT_FALSE(l.red->Visible());
        EXPECT_TRUE(l.green->Visible());
        EXPECT_FALSE(l.lightTimer->Enabled());
        EXPECT_EQ(l.laneTimer->Interval(), l.runningMs);
        clock.advance(1000);
    }
}

TEST_F(LightsTest, AHaltedVehicleMakesNoChecksUntilItsFirstTickAfterTheHalt) {
    holdDeckAt(BusLevel);
    game->bus01->setLeft(200);
    startGame();
    game->Timer3.setEnabled(false);  // the bus alone
    clock.advance(35);
    ASSERT_EQ(game->bus01->Left(), 198);  // over the gap, bridged

    // Halted with the piece away, the piece back at the level by the end of
    // the halt: no fall at all.
    qint64 clickMs = clock.nowMs();
    click(Lane1Post);
    pressKey(KeyUp);
    advanceTo(clickMs + 4999);
    EXPECT_EQ(game->bus01->Left(), 198);
    EXPECT_TRUE(game->lanes[TForm2::BusLane].bridged) << "no tick, so no check, during the halt";
    holdDeckAt(BusLevel);
    ASSERT_TRUE(advanceUntil([&] { return game->bus01->Left() != 198; }, 1000));
    EXPECT_EQ(clock.nowMs(), clickMs + 5035);
    EXPECT_EQ(game->bus01->Left(), 196);
    EXPECT_EQ(game->lives, 5);

    // Halted again with the piece away through the end of the halt: the
    // bus falls at its first tick after it.
    clickMs = clock.nowMs();
    click(Lane1Post);
    pressKey(KeyUp);
    advanceTo(clickMs + 4999);
    EXPECT_EQ(game->lives, 5);
    ASSERT_TRUE(advanceUntil([&] { return game->lives == 4; }, 1000));
    EXPECT_EQ(clock.nowMs(), clickMs + 5035);
    ASSERT_FALSE(sounds.played.empty());
    EXPECT_EQ(sounds.played.back().file, CrashCue);
    EXPECT_EQ(sounds.played.back().atMs, clock.nowMs());
    EXPECT_EQ(game->bus01->Left(), 700);
}

TEST_F(LightsTest, TheTramHaltedBeforeItsReleaseWaitsForBothTheBusAndTheHalt) {
    holdDeckAt(BusLevel);
    startGame();
    advanceTo(1000);
    click(Lane2Post);
    EXPECT_EQ(game->Timer4.Interval(), 0);
    EXPECT_FALSE(game->Timer4.Enabled());
    advanceTo(6000);
    EXPECT_EQ(game->Timer4.Interval(), 40);
    EXPECT_FALSE(game->Timer4.Enabled());
    EXPECT_EQ(game->tramvaj->Left(), 700);

    // Halted again; the bus releases the tram when it scores, mid-halt.
    advanceTo(6500);
    click(Lane2Post);
    ASSERT_TRUE(advanceUntil([&] { return game->Timer4.Enabled(); }, 3000));
    EXPECT_EQ(game->bus01->Left(), 124);
    EXPECT_EQ(game->Timer4.Interval(), 0);
    advanceTo(11499);
    EXPECT_EQ(game->tramvaj->Left(), 700);
    advanceTo(11500 + 40);
    EXPECT_EQ(game->tramvaj->Left(), 698);
}

TEST_F(LightsTest, AClickOnALitLampDoesNotUseTheLight) {
    struct Lamp {
        QPoint centre;
        const TImage* post;
    };
    const Lamp greenLamps[] = {{QPoint(279, 44), game->Image10.get()},
                               {QPoint(279, 148), game->Image18.get()},
                               {QPoint(207, 244), game->Image17.get()},
                               {QPoint(279, 328), game->Image19.get()}};
    for (const Lamp& lamp : greenLamps) {
        ASSERT_TRUE(lamp.post->BoundsRect().contains(lamp.centre));
        click(lamp.centre);
    }
    EXPECT_EQ(game->lightsLeft, 8);
    for (const TForm2::LaneState& lane : game->lanes)
        EXPECT_EQ(lane.lightUses, 0);

    // The red lamp, lit during a halt, likewise keeps the click off its post.
    click(Lane1Post);
    click(QPoint(279, 36));
    EXPECT_EQ(game->lanes[TForm2::BusLane].lightUses, 1);
    EXPECT_EQ(game->lightsLeft, 7);
    EXPECT_TRUE(game->Image10->Enabled());
}

TEST_F(LightsTest, AFastDoubleClickUsesTheLightOnce) {
    doubleClick(Lane1Post);
    EXPECT_EQ(game->lanes[TForm2::BusLane].lightUses, 1);
    EXPECT_EQ(game->lightsLeft, 7);
    EXPECT_TRUE(game->Image10->Enabled());
}

TEST_F(LightsTest, AClickOnAUsedUpPostFallsThroughToWhatLiesBeneath) {
    startGame();
    // Beneath the lane-2 post stands a wire mast, which ignores clicks;
    // beneath the lane-1 post lies only the window, whose click releases
    // the tram and the motorcycle (but lifts no halt).
    struct Case {
        const char* name;
        QPoint post;
        bool releasesLanes;
    };
    const Case cases[] = {{"lane 2", Lane2Post, false}, {"lane 1", Lane1Post, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int lightsLeft = game->lightsLeft;
        click(c.post);
        click(c.post);
        click(c.post);
        EXPECT_EQ(game->lightsLeft, lightsLeft - 2);
        EXPECT_EQ(game->Timer4.Enabled(), c.releasesLanes);
        EXPECT_EQ(game->Timer5.Enabled(), c.releasesLanes);
    }
    EXPECT_EQ(game->Timer1.Interval(), 0);
}

// ----------------------------------------------------------------- clock

using ClockTest = EndGameFixture;

TEST_F(ClockTest, CountsDownInOneHundredFortyOneTicksWithTheHeartbeatOnTheLastEleven) {
    startClockOnly();
    struct Tick {
        qint64 atMs;
        QString shown;
    };
    std::vector<Tick> ticks;
    int lastTimeLeft = game->timeLeft;
    while (!game->konechry->Visible() && clock.fireNext()) {
        if (game->timeLeft != lastTimeLeft) {
            lastTimeLeft = game->timeLeft;
            ticks.push_back({clock.nowMs() - startedAtMs, game->hodiny->Caption()});
        }
    }
    ASSERT_EQ(ticks.size(), 141u);
    for (size_t i = 0; i < ticks.size(); ++i) {
        EXPECT_EQ(ticks[i].atMs, 1000 * qint64(i + 1)) << "tick " << i + 1;
        EXPECT_EQ(ticks[i].shown, QString::number(140 - int(i))) << "tick " << i + 1;
    }

    std::vector<qint64> beats;
    for (const auto& p : sounds.played) {
        if (p.file == TepCue)
            beats.push_back(p.atMs - startedAtMs);
    }
    std::vector<qint64> expectedBeats;  // the ticks showing 11 .. 1
    for (qint64 ms = 130000; ms <= 140000; ms += 1000)
        expectedBeats.push_back(ms);
    EXPECT_EQ(beats, expectedBeats);

    clock.advance(10000);
    EXPECT_EQ(game->hodiny->Caption(), "0");
    EXPECT_EQ(sounds.count(TepCue), 11);
}

TEST_F(ClockTest, TimeOutShowsTheEndPanelAndStopsPlayButNotTheLights) {
    startClockOnly();
    busWritesScore(250);
    advanceTo(startedAtMs + 139000);
    const int busLeft = game->bus01->Left();
    click(Lane1Post);  // halt until 144 s
    advanceTo(startedAtMs + 140500);
    click(Background);  // every lane running into the time-out
    for (const TTimer* t : {&game->Timer1, &game->Timer3, &game->Timer4, &game->Timer5})
        ASSERT_TRUE(t->Enabled());

    advanceTo(startedAtMs + TimeOutAfterMs);
    EXPECT_TRUE(game->konechry->Visible());
    EXPECT_TRUE(game->bohuzel->isHidden());
    EXPECT_FALSE(game->Memo1->isHidden());
    EXPECT_EQ(game->Label1->Caption(), "1020");  // 250 + 7 lights x 60 + 5 lives x 70
    for (const TTimer* t : playTimers())
        EXPECT_FALSE(t->Enabled());
    EXPECT_TRUE(game->semafor.Enabled());
    EXPECT_TRUE(game->red01->Visible());

    // The halt ends unseen; the restored interval does not restart the bus.
    advanceTo(startedAtMs + 144000);
    EXPECT_FALSE(game->red01->Visible());
    EXPECT_TRUE(game->zel01->Visible());
    EXPECT_EQ(game->Timer1.Interval(), 35);
    clock.advance(1000);
    EXPECT_EQ(game->bus01->Left(), busLeft);

    expectTheBottomRowClickStartsNothing();
    EXPECT_EQ(game->timeLeft, -1);
}

TEST_F(ClockTest, TheFinalScoreAddsTheBonusAndBeatsOnlyABestReadAfresh) {
    struct Case {
        int lightsLeft;
        int lives;
        int labelScore;
        QByteArray storedAtTheEnd;
        QString finalScore;
        bool newBest;
    };
    const Case cases[] = {
        {8, 5, 350, "0000\r\n", "1180", true},
        {2, 1, 50, "0000\r\n", "240", true},
        {0, 4, 50, "0000\r\n", "330", true},
        {3, 2, 1200, "2000\r\n", "1520", false},
        {3, 2, 1200, "1520\r\n", "1520", false},
        {1, 3, 0, "0\r\n", "270", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.finalScore.toStdString() + " against " + c.storedAtTheEnd.toStdString());
        game.reset();
        createGame("99999\r\n");  // above every score, so the watcher never writes
        startClockOnly();
        advanceTo(startedAtMs + 140000);
        busWritesScore(c.labelScore);
        game->runningScore += 70;  // the tram scored after the bus's last tick
        game->lightsLeft = c.lightsLeft;
        game->lives = c.lives;
        // Between the watcher's last tick and the time-out.
        advanceTo(startedAtMs + 140700);
        writeScoreFile(c.storedAtTheEnd);

        advanceTo(startedAtMs + TimeOutAfterMs);
        ASSERT_TRUE(game->konechry->Visible());
        EXPECT_EQ(game->Label1->Caption(), c.finalScore);
        EXPECT_EQ(game->Label4->Visible(), c.newBest);
        EXPECT_EQ(scoreFile(), c.newBest ? c.finalScore.toLatin1() + "\r\n" : c.storedAtTheEnd);
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(ClockTest, AGameWithTheDeckNeverMovedEndsByGameOverWithTheClockNearOneHundredTwenty) {
    startGame();
    ASSERT_TRUE(advanceUntil([&] { return game->konechry->Visible(); }, 30000));
    EXPECT_NEAR(double(clock.nowMs()), 21000.0, 500.0);
    EXPECT_EQ(game->lives, 0);
    EXPECT_FALSE(game->bohuzel->isHidden());
    EXPECT_EQ(game->hodiny->Caption(), "120");
    EXPECT_FALSE(game->hodinky.Enabled());
    EXPECT_EQ(game->Label1->Caption(), "");
    EXPECT_EQ(sounds.count(TepCue), 0);
    clock.advance(10000);
    EXPECT_EQ(game->hodiny->Caption(), "120");

    expectTheBottomRowClickStartsNothing();
}

// --------------------------------------------------------------- watcher

class WatcherTest : public EndGameFixture {
protected:
    RecordingFileSystem disk{fileSystem()};
    ScopedFileSystem scopedDisk{disk};
};

TEST_F(WatcherTest, ANewBestIsStoredOnceFromTheScoreLabel) {
    busWritesScore(50);
    clock.advance(1000);
    EXPECT_EQ(scoreFile(), "50\r\n");
    EXPECT_TRUE(game->Label4->Visible());
    clock.advance(3000);
    EXPECT_EQ(disk.writes.size(), 1u);
    EXPECT_EQ(scoreFile(), "50\r\n");
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(WatcherTest, WhileTheBusIsHaltedTheLaggingLabelIsStoredTickAfterTick) {
    holdDeckAt(BusLevel);
    startGame();
    ASSERT_TRUE(advanceUntil([&] { return game->runningScore == 50; }, 10000));
    click(Lane1Post);
    const qint64 haltEndsMs = clock.nowMs() + 5000;
    game->runningScore += 50;  // another lane scores while the bus stands
    clock.advance(1000);
    EXPECT_EQ(scoreFile(), "50\r\n");
    EXPECT_TRUE(game->Label4->Visible());

    advanceTo(haltEndsMs + 35);
    EXPECT_EQ(game->Lscore->Caption(), "100");
    clock.advance(3000);
    EXPECT_EQ(scoreFile(), "100\r\n");
    // Each tick of the halt compared again with the "50" just stored.
    const std::vector<QByteArray> expected = {"50\r\n", "50\r\n", "50\r\n", "50\r\n",
                                              "50\r\n", "100\r\n"};
    EXPECT_EQ(disk.writes, expected);
}

TEST_F(WatcherTest, EachFailureIsReportedWithItsClassAndTextAndStoresNothing) {
    busWritesScore(50);
    writeScoreFile("9999\r\n");
    clock.advance(1000);  // a good tick
    struct Case {
        const char* name;
        std::optional<QByteArray> bytes;  // none: the file is missing
        QString report;
        QStringList workingCopy;          // ListBox1 afterwards
    };
    const Case cases[] = {
        {"missing", std::nullopt, "EFOpenError: Cannot open file score", {"9999"}},
        {"empty", QByteArray(), "EStringListError: List index out of bounds (0)", {}},
        {"not a number", QByteArray("abc\r\n"),
         "EConvertError: 'abc' is not a valid integer value", {"abc"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reporter.reports.clear();
        if (c.bytes)
            writeScoreFile(*c.bytes);
        else
            ASSERT_TRUE(QFile::remove("score"));
        clock.advance(1000);
        EXPECT_EQ(reporter.reports, std::vector<QString>{c.report});
        EXPECT_EQ(game->ListBox1->Items(), c.workingCopy);
    }
    EXPECT_TRUE(disk.writes.empty());
    EXPECT_FALSE(game->Label4->Visible());
}

TEST_F(WatcherTest, ARefusedWriteIsReportedOnceAndTriedAgainEveryTick) {
    disk.refuseWrites = true;
    busWritesScore(50);
    clock.advance(3000);
    EXPECT_EQ(reporter.reports, std::vector<QString>{"EFCreateError: Cannot create file score"});
    EXPECT_EQ(disk.writes.size(), 3u);
    EXPECT_TRUE(game->Label4->Visible());
    EXPECT_EQ(scoreFile(), "0000\r\n");
}

TEST_F(WatcherTest, ARepeatedFailureIsReportedOnceUntilAGoodTickOrAnotherFailure) {
    const QString missing = "EFOpenError: Cannot open file score";
    ASSERT_TRUE(QFile::remove("score"));
    clock.advance(5000);
    EXPECT_EQ(reporter.reports, std::vector<QString>{missing});

    writeScoreFile("0000\r\n");
    clock.advance(1000);
    ASSERT_TRUE(QFile::remove("score"));
    clock.advance(3000);
    EXPECT_EQ(reporter.reports, (std::vector<QString>{missing, missing}));

    writeScoreFile("abc\r\n");
    clock.advance(3000);
    ASSERT_EQ(reporter.reports.size(), 3u);
    EXPECT_EQ(reporter.reports[2], "EConvertError: 'abc' is not a valid integer value");
}

TEST_F(WatcherTest, ANegativeBestIsNotReplacedByAnEmptyScoreLabel) {
    writeScoreFile("-5\r\n");
    clock.advance(3000);
    EXPECT_EQ(scoreFile(), "-5\r\n");
    EXPECT_TRUE(disk.writes.empty());
    EXPECT_FALSE(game->Label4->Visible());
    EXPECT_TRUE(reporter.reports.empty());

    // Once the bus has written the label, its score is the new best.
    startGame();
    clock.advance(1000);
    EXPECT_EQ(scoreFile(), "0\r\n");
    EXPECT_TRUE(game->Label4->Visible());
}

TEST_F(WatcherTest, AResetDuringTheGameTakesEffectAtTheNextTick) {
    writeScoreFile("0090\r\n");
    holdDeckAt(BusLevel);
    startGame();
    ASSERT_TRUE(advanceUntil([&] { return game->runningScore == 50; }, 10000));
    // The watcher ticks on whole seconds since the window's creation at 0.
    const qint64 nextTickMs = (clock.nowMs() / 1000 + 1) * 1000;
    advanceTo(nextTickMs + 100);
    EXPECT_EQ(scoreFile(), "0090\r\n");

    writeScoreFile("0000\r\n");
    advanceTo(nextTickMs + 999);
    EXPECT_EQ(scoreFile(), "0000\r\n");
    EXPECT_FALSE(game->Label4->Visible());
    advanceTo(nextTickMs + 1000);
    EXPECT_EQ(scoreFile(), "50\r\n");
    EXPECT_TRUE(game->Label4->Visible());
}

TEST_F(WatcherTest, StopsAtTimeOutSoAScoreOfTheLastSecondMeetsOnlyTheFinalComparison) {
    startClockOnly();
    // After the watcher's last tick and before the time-out: the bus writes
    // 300 and the other lanes run the score far above it.
    advanceTo(startedAtMs + 140700);
    busWritesScore(300);
    game->runningScore = 2000;

    advanceTo(startedAtMs + TimeOutAfterMs);
    EXPECT_FALSE(game->Timer2.Enabled());
    EXPECT_EQ(game->Label1->Caption(), "1130");  // 300 + 8 x 60 + 5 x 70
    clock.advance(5000);
    // A running watcher would now find 1130 below the running score and
    // store the label's "300".
    EXPECT_EQ(disk.writes, std::vector<QByteArray>{"1130\r\n"});
    EXPECT_EQ(scoreFile(), "1130\r\n");
    EXPECT_TRUE(game->Label4->Visible());
}

}  // namespace
}  // namespace kestrava::testing
