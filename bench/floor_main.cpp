// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// kestrava_bench_floor SECONDS
//
// The floor the game's timers are measured against: a bare Qt Widgets
// program, connected to the same display, running six precise timers with
// the game's periods and nothing to paint. Every tick is stamped the same way
// as in the game; the process's CPU time is taken over the SECONDS it runs.
// Prints its figures as result lines (bench/Results.h) on stdout.

#include "bench/Results.h"
#include "bench/TickSeries.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct FloorTimer {
    const char* name;
    int periodMs;
};

// The game's six measured timers and their periods.
constexpr FloorTimer Timers[] = {{"Timer1", 35}, {"Timer3", 57},   {"Timer4", 40},
                                 {"Timer5", 30}, {"hodinky", 1000}, {"Timer2", 1000}};

void put(const QString& line) { std::printf("%s\n", qPrintable(line)); }

}  // namespace

int main(int argc, char** argv) {
    using namespace kestrava::bench;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SECONDS\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    std::vector<TickSeries> series;
    series.reserve(std::size(Timers));  // each timer keeps a pointer to its record
    std::vector<std::unique_ptr<QTimer>> timers;
    const qint64 startNs = steadyNs();
    const double startCpu = processCpuSeconds();
    for (const FloorTimer& t : Timers) {
        series.emplace_back(t.periodMs);
        series.back().started(steadyNs());
        auto timer = std::make_unique<QTimer>();
        timer->setTimerType(Qt::PreciseTimer);
        timer->setInterval(t.periodMs);
        TickSeries* record = &series.back();
        QObject::connect(timer.get(), &QTimer::timeout, [record] { record->ticked(steadyNs()); });
        timer->start();
        timers.push_back(std::move(timer));
    }
    QTimer::singleShot(std::atoi(argv[1]) * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const qint64 endNs = steadyNs();
    const double endCpu = processCpuSeconds();
    for (size_t i = 0; i < series.size(); ++i)
        put(timerLine({QString::fromLatin1(Timers[i].name), Timers[i].periodMs,
                       series[i].stats(endNs)}));
    put(valueLine(QStringLiteral("cpu_s"), endCpu - startCpu));
    put(valueLine(QStringLiteral("wall_s"), double(endNs - startNs) / 1e9));
    return 0;
}
