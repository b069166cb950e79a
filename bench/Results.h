// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a measuring child process hands back to the bench: one line per
// figure on its standard output, "<kind> <name> <numbers...>", read back by
// the bench into the same records. Plain text, so a run can also be read by
// eye.

#include "bench/TickSeries.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace kestrava::bench {

struct TimerResult {
    QString name;
    int periodMs = 0;
    TickStats stats;
};

// A rule's Play call on a sound cue, as the game saw it.
struct CueCall {
    QString name;  // the cue's file name
    qint64 atNs;   // steadyNs() at the call
    bool intoSilence;  // no cue was playing when it was called
};

struct ChildResults {
    std::vector<TimerResult> timers;
    std::vector<CueCall> cues;
    // Named scalar figures ("cpu_s", "wall_s", "clock141_ms", ...).
    std::map<QString, double> values;

    double value(const QString& name, double otherwise = -1) const;
    const TimerResult* timer(const QString& name) const;
};

// The lines a child prints.
QString timerLine(const TimerResult& timer);
QString valueLine(const QString& name, double value);
QString cueLine(const CueCall& cue);

// Reads a child's output back; lines of other kinds are ignored.
ChildResults parseResults(const QString& output);

// Monotonic nanoseconds, and this process's CPU seconds (every thread).
qint64 steadyNs();
double processCpuSeconds();

}  // namespace kestrava::bench
