// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Turns the bench's measurements into the Markdown table it prints, each
// figure beside its yardstick and the target it is held against.

#include "bench/Measurements.h"

#include <QDate>
#include <QString>

namespace kestrava::bench {

// The targets, in one place.
namespace targets {
inline constexpr double MeanPeriodTolerance = 0.002;  // of the nominal period
inline constexpr double P99OverNominalMs = 2.0;
inline constexpr double DriftMs = 5.0;
inline constexpr double Clock141Ms = 141'000;
inline constexpr double Clock141ToleranceMs = 100;
inline constexpr double FullSceneMs = 2.0;
inline constexpr double CpuOverFloor = 1.5;
inline constexpr double CpuOverPaintFloor = 1.2;
inline constexpr double KeyP99OverFloorMs = 1.0;
inline constexpr double CueOverServerMs = 30.0;
inline constexpr double CpuShareOfCore = 0.03;
inline constexpr double StartOverEmpty = 2.0;
inline constexpr double MemoryOverEmptyMiB = 15.0;
}  // namespace targets

struct Report {
    Options options;
    QDate date;
    RealTimeRun realTime;
    LatencyRun latency;
    PaintCost paint;
    VirtualGames virtualGames;
    StartUps startUps;

    QString markdown() const;
    // Every measurement gave its figures (targets aside).
    bool complete() const;

private:
    QString heading() const;
    QString timerTable() const;
    QString paintTable() const;
    QString cpuTable() const;
    QString keyTable() const;
    QString cueTable() const;
    QString startUpTable() const;
    QString virtualTable() const;
};

}  // namespace kestrava::bench
