// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// kestrava_bench [--quick] [--seconds N] [--starts N] [--games N] [--renders N]
//                [--presses N] [--latency-seconds N]
//
// Measures, in one run, how well the game keeps time, how little it paints
// and spends, how fast it answers a key and sounds a cue, and how fast it
// starts, each beside a yardstick, and prints the figures as a Markdown
// table with the targets they are held against. Needs an X display without
// a window manager, with the XTEST and DAMAGE extensions (scripts/bench.sh
// makes one); the cues are heard only on the PulseAudio server named by
// PULSE_SERVER, by recording PULSE_MONITOR.
//
// --quick is the smoke run: a few seconds of play and a few of everything
// else; its figures are printed but too short to judge by.

#include "bench/Measurements.h"
#include "bench/Report.h"
#include "assets/Assets.h"
#include "framework/Fonts.h"

#include <QApplication>
#include <QDate>
#include <cstdio>
#include <cstring>

namespace {

using kestrava::bench::Options;

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const bool valued = i + 1 < argc;
        if (std::strcmp(arg, "--quick") == 0)
            options = Options{4, 2, 1, 20, 20, 15};
        else if (valued && std::strcmp(arg, "--seconds") == 0)
            options.playSeconds = std::atoi(argv[++i]);
        else if (valued && std::strcmp(arg, "--starts") == 0)
            options.startRuns = std::atoi(argv[++i]);
        else if (valued && std::strcmp(arg, "--games") == 0)
            options.virtualGames = std::atoi(argv[++i]);
        else if (valued && std::strcmp(arg, "--renders") == 0)
            options.renders = std::atoi(argv[++i]);
        else if (valued && std::strcmp(arg, "--presses") == 0)
            options.presses = std::atoi(argv[++i]);
        else if (valued && std::strcmp(arg, "--latency-seconds") == 0)
            options.latencySeconds = std::atoi(argv[++i]);
        else
            return false;
    }
    return options.playSeconds > 0 && options.startRuns > 0 && options.virtualGames > 0 &&
           options.renders > 0 && options.presses > 0 && options.latencySeconds > 0;
}

kestrava::bench::Places places() {
    return {QStringLiteral(KESTRAVA_BIN), QStringLiteral(KESTRAVA_BENCH_PLAY),
            QStringLiteral(KESTRAVA_BENCH_FLOOR), QStringLiteral(KESTRAVA_BENCH_PAINT_FLOOR),
            QStringLiteral(KESTRAVA_BENCH_EMPTY),
            QStringLiteral(KESTRAVA_BENCH_EMPTY_LINKED), QStringLiteral(KESTRAVA_SOURCE_DIR)};
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kestrava::bench;
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--quick] [--seconds N] [--starts N] [--games N] [--renders N] "
                     "[--presses N] [--latency-seconds N]\n",
                     argv[0]);
        return 2;
    }
    // The bench's own windows are never shown: it paints them into images on
    // the offscreen platform, leaving the display to the programs it times.
    int qtArgc = 3;
    char platformFlag[] = "-platform";
    char offscreen[] = "offscreen";
    char* qtArgv[] = {argv[0], platformFlag, offscreen, nullptr};
    QApplication app(qtArgc, qtArgv);
    app.setQuitOnLastWindowClosed(false);
    kestrava::initAssets();
    kestrava::registerFontSubstitutes();

    const Places where = places();
    Report report;
    report.options = options;
    report.date = QDate::currentDate();
    std::fprintf(stderr, "bench: %d s of real play beside the floors...\n", options.playSeconds);
    report.realTime = runRealTime(where, options.playSeconds);
    std::fprintf(stderr, "bench: %d s of play, pressing keys and listening...\n",
                 options.latencySeconds);
    report.latency = runLatency(where, options);
    std::fprintf(stderr, "bench: painting into images...\n");
    report.paint = measurePaint(where.sourceDir, options.renders);
    std::fprintf(stderr, "bench: whole games on the virtual clock...\n");
    report.virtualGames = playVirtualGames(where.sourceDir, options.virtualGames);
    std::fprintf(stderr, "bench: start-ups...\n");
    report.startUps = measureStartUps(where, options.startRuns);
    std::printf("%s", qPrintable(report.markdown()));
    return report.complete() ? 0 : 1;
}
