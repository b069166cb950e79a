// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Clock.h"
#include "framework/Errors.h"
#include "framework/Timer.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>
#include <QStringList>
#include <vector>

using namespace kestrava;
using kestrava::testing::RecordingReporter;

namespace {

struct TimerFixture : ::testing::Test {
    VirtualClock clock;
    std::vector<qint64> ticks;
    TTimer timer{100, false, clock};
    TimerFixture() {
        timer.setOnTimer([this] { ticks.push_back(clock.nowMs()); });
    }
};

TEST_F(TimerFixture, TicksEveryIntervalOnlyWhileEnabled) {
    clock.advance(500);
    EXPECT_TRUE(ticks.empty());
    timer.setEnabled(true);
    clock.advance(350);
    EXPECT_EQ(ticks, (std::vector<qint64>{600, 700, 800}));
    timer.setEnabled(false);
    clock.advance(1000);
    EXPECT_EQ(ticks.size(), 3u);
}

TEST_F(TimerFixture, IntervalZeroKeepsItEnabledButSilent) {
    timer.setEnabled(true);
    timer.setInterval(0);
    clock.advance(1000);
    EXPECT_TRUE(ticks.empty());
    EXPECT_TRUE(timer.Enabled());
    timer.setInterval(100);
    clock.advance(100);
    EXPECT_EQ(ticks, (std::vector<qint64>{1100}));
}

TEST_F(TimerFixture, SettingTheSameValueDoesNotRestartThePeriod) {
    timer.setEnabled(true);
    clock.advance(60);
    timer.setEnabled(true);
    timer.setInterval(100);
    clock.advance(40);
    EXPECT_EQ(ticks, (std::vector<qint64>{100}));
}

TEST_F(TimerFixture, AChangedValueRestartsThePeriodFromNow) {
    timer.setEnabled(true);
    clock.advance(60);
    timer.setInterval(50);
    clock.advance(100);
    EXPECT_EQ(ticks, (std::vector<qint64>{110, 160}));
    timer.setEnabled(false);
    clock.advance(5);
    timer.setEnabled(true);
    clock.advance(50);
    EXPECT_EQ(ticks.back(), 215);
}

TEST(VirtualClockTest, FiresTimersInTimeOrderAndLetsATickStopItself) {
    VirtualClock clock;
    QStringList order;
    TTimer fast(30, true, clock), slow(45, true, clock);
    fast.setOnTimer([&] {
        order << QStringLiteral("fast%1").arg(clock.nowMs());
        if (clock.nowMs() >= 90)
            fast.setEnabled(false);
    });
    slow.setOnTimer([&] { order << QStringLiteral("slow%1").arg(clock.nowMs()); });
    // At 90 both are due: slow was rescheduled (at 45) before fast (at 60).
    clock.advance(135);
    EXPECT_EQ(order, (QStringList{"fast30", "slow45", "fast60", "slow90", "fast90",
                                     "slow135"}));
}

TEST(TimerErrors, AFailingTickIsReportedAndTheTimerTicksAgain) {
    VirtualClock clock;
    RecordingReporter reporter;
    ScopedErrorReporter scoped(reporter);
    TTimer timer(1000, true, clock);
    timer.setOnTimer([] { throw EFOpenError("Cannot open file score"); });
    clock.advance(3000);
    EXPECT_EQ(reporter.reports.size(), 3u);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(reporter.reports.front(), "EFOpenError: Cannot open file score");
}

}  // namespace
