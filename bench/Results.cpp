// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/Results.h"

#include <ctime>

namespace kestrava::bench {

double ChildResults::value(const QString& name, double otherwise) const {
    const auto found = values.find(name);
    return found == values.end() ? otherwise : found->second;
}

const TimerResult* ChildResults::timer(const QString& name) const {
    for (const TimerResult& t : timers) {
        if (t.name == name)
            return &t;
    }
    return nullptr;
}

QString timerLine(const TimerResult& t) {
    const TickStats& s = t.stats;
    return QStringLiteral("timer %1 %2 %3 %4 %5 %6 %7 %8 %9")
        .arg(t.name)
        .arg(t.periodMs)
        .arg(s.ticks)
        .arg(s.meanMs, 0, 'f', 4)
        .arg(s.p50Ms, 0, 'f', 4)
        .arg(s.p99Ms, 0, 'f', 4)
        .arg(s.maxMs, 0, 'f', 4)
        .arg(s.driftMs, 0, 'f', 4)
        .arg(s.lost);
}

QString valueLine(const QString& name, double value) {
    return QStringLiteral("value %1 %2").arg(name).arg(value, 0, 'g', 10);
}

QString cueLine(const CueCall& cue) {
    return QStringLiteral("cue %1 %2 %3").arg(cue.name).arg(cue.atNs).arg(int(cue.intoSilence));
}

namespace {
constexpr int TimerFields = 10;
constexpr int CueFields = 4;

TimerResult parseTimer(const QStringList& f) {
    TimerResult t;
    t.name = f[1];
    t.periodMs = f[2].toInt();
    t.stats.ticks = f[3].toInt();
    t.stats.meanMs = f[4].toDouble();
    t.stats.p50Ms = f[5].toDouble();
    t.stats.p99Ms = f[6].toDouble();
    t.stats.maxMs = f[7].toDouble();
    t.stats.driftMs = f[8].toDouble();
    t.stats.lost = f[9].toInt();
    return t;
}
}  // namespace

ChildResults parseResults(const QString& output) {
    ChildResults results;
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        const QStringList f = line.simplified().split(QLatin1Char(' '));
        if (f.size() == TimerFields && f[0] == QLatin1String("timer"))
            results.timers.push_back(parseTimer(f));
        else if (f.size() == CueFields && f[0] == QLatin1String("cue"))
            results.cues.push_back({f[1], f[2].toLongLong(), f[3] == QLatin1String("1")});
        else if (f.size() == 3 && f[0] == QLatin1String("value"))
            results.values[f[1]] = f[2].toDouble();
    }
    return results;
}

qint64 steadyNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

double processCpuSeconds() {
    timespec used{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &used);
    return double(used.tv_sec) + double(used.tv_nsec) / 1e9;
}

}  // namespace kestrava::bench
