// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/TickSeries.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kestrava::bench {

namespace {
constexpr double NsPerMs = 1e6;
}

void TickSeries::started(qint64 atNs) {
    stopped(atNs);
    runs_.push_back(Run{atNs, -1, {}});
}

void TickSeries::ticked(qint64 atNs) {
    if (!runs_.empty() && runs_.back().endNs < 0)
        runs_.back().ticksNs.push_back(atNs);
}

void TickSeries::stopped(qint64 atNs) {
    if (!runs_.empty() && runs_.back().endNs < 0)
        runs_.back().endNs = atNs;
}

TickStats TickSeries::stats(qint64 endNs) const {
    TickStats s;
    const qint64 periodNs = qint64(periodMs_) * 1'000'000;
    std::vector<double> periods;
    double worstDrift = 0;
    for (const Run& run : runs_) {
        qint64 previous = run.startNs;
        for (qint64 tick : run.ticksNs) {
            periods.push_back(double(tick - previous) / NsPerMs);
            previous = tick;
        }
        const int ticks = int(run.ticksNs.size());
        s.ticks += ticks;
        if (ticks > 0) {
            const double drift =
                double(run.ticksNs.back() - run.startNs - ticks * periodNs) / NsPerMs;
            if (std::abs(drift) > std::abs(worstDrift))
                worstDrift = drift;
        }
        const qint64 runEnd = run.endNs >= 0 ? run.endNs : endNs - LateGraceNs;
        const int due = runEnd > run.startNs ? int((runEnd - run.startNs) / periodNs) : 0;
        s.lost += std::max(0, due - ticks);
    }
    if (!periods.empty()) {
        s.meanMs = std::accumulate(periods.begin(), periods.end(), 0.0) / periods.size();
        s.p50Ms = percentile(periods, 50);
        s.p99Ms = percentile(periods, 99);
        s.maxMs = *std::max_element(periods.begin(), periods.end());
    }
    s.driftMs = worstDrift;
    return s;
}

qint64 TickSeries::nthTickAfterStartNs(int n) const {
    if (runs_.empty() || int(runs_.front().ticksNs.size()) < n)
        return -1;
    return runs_.front().ticksNs[n - 1] - runs_.front().startNs;
}

double percentile(std::vector<double> values, double pct) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(pct / 100.0 * double(values.size()));
    const size_t index = size_t(std::clamp(rank, 1.0, double(values.size()))) - 1;
    return values[index];
}

double median(std::vector<double> values) { return percentile(std::move(values), 50); }

}  // namespace kestrava::bench
