// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The ticks of one timer, as seen by a watch that stamps every tick.
//
// A timer's life is cut into runs: each start opens a run, each stop (or the
// end of the measurement) closes it. Periods are measured within a run, the
// first one from the start, so a restart never counts as a long period.
// Times are nanoseconds on one monotonic time base chosen by the caller.

#include <QtGlobal>
#include <vector>

namespace kestrava::bench {

struct TickStats {
    int ticks = 0;
    double meanMs = 0;   // mean period
    double p50Ms = 0;
    double p99Ms = 0;
    double maxMs = 0;
    // Last tick minus ticks x period, in the run where it strays furthest.
    double driftMs = 0;
    // Ticks that fell due within a run (a grace of LateGraceNs before a run
    // still open) and never came.
    int lost = 0;
};

class TickSeries {
public:
    static constexpr qint64 LateGraceNs = 5'000'000;

    explicit TickSeries(int periodMs) : periodMs_(periodMs) {}

    int periodMs() const { return periodMs_; }

    void started(qint64 atNs);
    void ticked(qint64 atNs);
    void stopped(qint64 atNs);

    // Statistics over every run, runs still open counted up to `endNs`.
    TickStats stats(qint64 endNs) const;
    // Time of the n-th tick (1-based) of the first run, after that run's
    // start; -1 when the run had fewer ticks.
    qint64 nthTickAfterStartNs(int n) const;

private:
    struct Run {
        qint64 startNs;
        qint64 endNs = -1;  // -1 while running
        std::vector<qint64> ticksNs;
    };

    int periodMs_;
    std::vector<Run> runs_;
};

// Nearest-rank percentile (0..100) of `values`; 0 for none.
double percentile(std::vector<double> values, double pct);
double median(std::vector<double> values);

}  // namespace kestrava::bench
