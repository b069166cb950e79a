// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/Report.h"

#include <QFile>
#include <QSysInfo>
#include <QThread>
#include <algorithm>
#include <cmath>

namespace kestrava::bench {

namespace {
constexpr int SceneWidth = 487;
constexpr int SceneHeight = 434;
constexpr double SceneArea = double(SceneWidth) * SceneHeight;

QString num(double value, int decimals = 1) { return QString::number(value, 'f', decimals); }
QString verdict(bool met) { return met ? QStringLiteral("met") : QStringLiteral("**missed**"); }

QString timerVerdict(const TimerResult& t, bool met) {
    return t.stats.ticks == 0 ? QStringLiteral("not started in this run") : verdict(met);
}

QString cpuModel() {
    QFile info(QStringLiteral("/proc/cpuinfo"));
    if (!info.open(QIODevice::ReadOnly))
        return QStringLiteral("unknown CPU");
    for (const QByteArray& line : info.readAll().split('\n')) {
        if (line.startsWith("model name"))
            return QString::fromLatin1(line.mid(line.indexOf(':') + 1).trimmed());
    }
    return QStringLiteral("unknown CPU");
}

bool timerMet(const TimerResult& t) {
    const TickStats& s = t.stats;
    return s.ticks > 0 &&
           std::abs(s.meanMs - t.periodMs) <= t.periodMs * targets::MeanPeriodTolerance &&
           s.p99Ms <= t.periodMs + targets::P99OverNominalMs &&
           std::abs(s.driftMs) <= targets::DriftMs && s.lost == 0;
}

QString timerCells(const TimerResult* t) {
    if (!t || t->stats.ticks == 0)
        return QStringLiteral("0 | – | – | – | – | – | – |");
    const TickStats& s = t->stats;
    return QStringLiteral("%1 | %2 | %3 | %4 | %5 | %6 | %7 |")
        .arg(s.ticks)
        .arg(num(s.meanMs, 3), num(s.p50Ms, 2), num(s.p99Ms, 2), num(s.maxMs, 2),
             num(s.driftMs, 2))
        .arg(s.lost);
}

QString howPlayEnded(const ChildResults& game) {
    if (game.value(QStringLiteral("ended"), 0) == 0)
        return QStringLiteral("cut off while in play");
    return game.value(QStringLiteral("game_over"), 0) > 0 ? QStringLiteral("ended by game over")
                                                         : QStringLiteral("ended by time-out");
}

double cpuShare(const ChildResults& r) {
    const double wall = r.value(QStringLiteral("wall_s"), 0);
    return wall > 0 ? r.value(QStringLiteral("cpu_s"), 0) / wall : -1;
}
}  // namespace

QString Report::heading() const {
    const ChildResults& g = realTime.game;
    return QStringLiteral("Run of %1 on %2 × %3 (%4), under Xvfb; %5 s of real play, "
                          "%6 with a score of %7, %8 lives left, %9 light uses and ")
               .arg(date.toString(Qt::ISODate))
               .arg(QThread::idealThreadCount())
               .arg(cpuModel(), QSysInfo::prettyProductName(),
                    num(g.value(QStringLiteral("wall_s"), 0), 1),
                    howPlayEnded(g),
                    num(g.value(QStringLiteral("score"), 0), 0),
                    num(g.value(QStringLiteral("lives"), 0), 0),
                    num(g.value(QStringLiteral("lights_used"), 0), 0)) +
           QStringLiteral("%1 key presses.\n\n").arg(num(g.value(QStringLiteral("keys"), 0), 0));
}

QString Report::timerTable() const {
    QString out = QStringLiteral(
        "**1–2. Timer fidelity** in real time: *game* is the program's own timers in the "
        "scripted game, *floor* a bare Qt program running the same six timers with nothing "
        "to paint, at the same time. Periods and drift in ms.\n\n"
        "| Timer | Nominal | Game ticks | mean | p50 | p99 | max | drift | lost "
        "| Floor ticks | mean | p50 | p99 | max | drift | lost | Game target |\n"
        "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|\n");
    for (const TimerResult& t : realTime.game.timers) {
        out += QStringLiteral("| `%1` | %2 | %3 %4 %5 |\n")
                   .arg(t.name)
                   .arg(t.periodMs)
                   .arg(timerCells(&t), timerCells(realTime.floor.timer(t.name)),
                        timerVerdict(t, timerMet(t)));
    }
    const double clock141 = realTime.game.value(QStringLiteral("clock141_ms"));
    out += clock141 < 0
               ? QStringLiteral("\nThe clock's 141st tick: not reached in this run.\n\n")
               : QStringLiteral("\nThe clock's 141st tick came %1 s after the game window "
                                "was shown (target 141 ± 0.1 s): %2.\n\n")
                     .arg(num(clock141 / 1000, 4),
                          verdict(std::abs(clock141 - targets::Clock141Ms) <=
                                  targets::Clock141ToleranceMs));
    return out;
}

QString Report::paintTable() const {
    const ChildResults& g = realTime.game;
    const double mean = g.value(QStringLiteral("repaint_mean_px"));
    const double allowed = g.value(QStringLiteral("repaint_allowed_px"));
    const double maxPx = g.value(QStringLiteral("repaint_max_px"));
    const double excess = g.value(QStringLiteral("repaint_excess_px"));
    const double whole = g.value(QStringLiteral("repaint_whole_scene_frames"));
    QString out = QStringLiteral(
        "**3. Paint cost.** The game scene is %1 × %2 = %3 px.\n\n"
        "| Figure | Value | Target | |\n|---|---:|---|---|\n")
                      .arg(SceneWidth)
                      .arg(SceneHeight)
                      .arg(num(SceneArea, 0));
    out += QStringLiteral("| Repainted per vehicle tick, mean (%1 ticks) | %2 px | at most what "
                          "the moved items left and entered: %3 px | %4 |\n")
               .arg(num(g.value(QStringLiteral("repaint_vehicle_ticks"), 0), 0), num(mean, 0),
                    num(allowed, 0), verdict(mean >= 0 && mean <= allowed));
    out += QStringLiteral("| Largest frame of vehicle ticks | %1 px | never the whole scene | "
                          "%2 |\n")
               .arg(num(maxPx, 0), verdict(maxPx >= 0 && maxPx < SceneArea));
    out += QStringLiteral("| Painted outside those rectangles, all %1 frames | %2 px | 0 | %3 |\n")
               .arg(num(g.value(QStringLiteral("repaint_frames"), 0), 0), num(excess, 0),
                    verdict(excess == 0));
    out += QStringLiteral("| Frames that repainted the whole scene | %1 | 0 | %2 |\n")
               .arg(num(whole, 0), verdict(whole == 0));
    out += QStringLiteral("| Full game scene into an image, median of %1 | %2 ms | < 2 ms | %3 "
                          "|\n")
               .arg(paint.renders)
               .arg(num(paint.gameSceneMs, 3),
                    verdict(paint.gameSceneMs >= 0 && paint.gameSceneMs < targets::FullSceneMs));
    out += QStringLiteral("| Title window into an image, median of %1 | %2 ms | – | |\n\n")
               .arg(paint.renders)
               .arg(num(paint.titleWindowMs, 3));
    return out;
}

QString Report::cpuTable() const {
    const double game = cpuShare(realTime.game);
    const double floor = cpuShare(realTime.floor);
    const double paintFloor = cpuShare(realTime.paintFloor);
    const double ratio = floor > 0 ? game / floor : -1;
    const double paintRatio = paintFloor > 0 ? game / paintFloor : -1;
    return QStringLiteral(
               "**4. CPU** (process CPU seconds per second of real play, every thread), the "
               "three programs at the same time.\n\n"
               "| Program | CPU s/s | Share of one core |\n|---|---:|---:|\n"
               "| Game (scripted play, sound on SDL's silent driver) | %1 | %2 % |\n"
               "| Floor (bare Qt, six timers) | %3 | %4 % |\n")
               .arg(num(game, 5), num(game * 100, 2), num(floor, 5), num(floor * 100, 2)) +
           QStringLiteral("| Paint floor (bare Qt, the game's visible work) | %1 | %2 % |\n\n"
                          "Game ÷ paint floor = %3 (target ≤ 1.2): %4; game ÷ timer floor = %5 "
                          "(target ≤ 1.5): %6; game under 3 % of a core: %7.\n\n")
               .arg(num(paintFloor, 5), num(paintFloor * 100, 2), num(paintRatio, 2),
                    verdict(paintRatio >= 0 && paintRatio <= targets::CpuOverPaintFloor),
                    num(ratio, 2), verdict(ratio >= 0 && ratio <= targets::CpuOverFloor),
                    verdict(game >= 0 && game < targets::CpuShareOfCore));
}

namespace {
QString keyRow(const QString& window, const KeyPresses& k) {
    const std::vector<double>& ms = k.latenciesMs;
    if (ms.empty())
        return QStringLiteral("| %1 | 0 | – | – | – | %2 | %3 |\n")
            .arg(window)
            .arg(k.disturbed)
            .arg(k.unanswered);
    return QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 | %7 |\n")
        .arg(window)
        .arg(ms.size())
        .arg(num(median(ms), 2), num(percentile(ms, 99), 2),
             num(*std::max_element(ms.begin(), ms.end()), 2))
        .arg(k.disturbed)
        .arg(k.unanswered);
}
}  // namespace

QString Report::keyTable() const {
    const KeyPresses& g = latency.game;
    const KeyPresses& f = latency.paintFloor;
    QString out = QStringLiteral(
        "**7. Key to pixel**: an arrow key sent through XTEST to the window, to the X "
        "server's damage of the deck piece's column with the piece moved 5 px; Up and "
        "Down in turn at random pauses of %1–%2 ms, during play, into the game's window "
        "and the paint floor's by turns of %3 presses, both running. In ms.\n\n"
        "| Window | Presses answered | median | p99 | max | disturbed | unanswered |\n"
        "|---|---:|---:|---:|---:|---:|---:|\n")
                      .arg(KeyPausesMs.first)
                      .arg(KeyPausesMs.second)
                      .arg(PressesPerTurn);
    out += keyRow(QStringLiteral("Game (scripted play)"), g);
    out += keyRow(QStringLiteral("Paint floor"), f);
    const ChildResults& play = latency.play;
    out += QStringLiteral("\nThe scripted game went on meanwhile (its player puts the piece "
                          "back before a vehicle needs it) and was %1 with a score of %2 and %3 "
                          "lives left.\n")
               .arg(howPlayEnded(play), num(play.value(QStringLiteral("score"), 0), 0),
                    num(play.value(QStringLiteral("lives"), 0), 0));
    if (g.latenciesMs.empty() || f.latenciesMs.empty())
        return out + QStringLiteral("\nKeys: not measured in this run.\n\n");
    const double over = percentile(g.latenciesMs, 99) - percentile(f.latenciesMs, 99);
    return out + QStringLiteral("\nGame p99 − floor p99 = %1 ms (target ≤ 1 ms): %2.\n\n")
                     .arg(num(over, 2), verdict(over <= targets::KeyP99OverFloorMs));
}

namespace {
QString cueRow(const LatencyRun& latency) {
    const CueOnsets& c = latency.cues;
    const std::vector<double>& ms = c.latenciesMs;
    const QString none = QStringLiteral("–");
    return QStringLiteral(
               "| Cues called | timed (into silence) | over another cue | unheard | median | "
               "max | Server: stream buffer | sink |\n|---:|---:|---:|---:|---:|---:|---:|---:|\n"
               "| %1 | %2 | %3 | %4 | %5 ms | %6 ms | %7 ms | %8 ms |\n\n")
        .arg(latency.cueCalls)
        .arg(ms.size())
        .arg(c.overlapped)
        .arg(c.unheard)
        .arg(ms.empty() ? none : num(median(ms)),
             ms.empty() ? none : num(*std::max_element(ms.begin(), ms.end())),
             num(latency.server.bufferMs), num(latency.server.sinkMs));
}
}  // namespace

QString Report::cueTable() const {
    const QString heading = QStringLiteral(
        "**8. Cue latency**: the rule's Play call to the moment the PulseAudio server mixed "
        "the cue's first sound into its output (its null sink's monitor, recorded in blocks "
        "of %1 ms), over the cues of the same scripted game, beside what the server reports "
        "for the game's stream: the time a sample written now waits in its buffer "
        "(median of the asks, once a second). The sink's own latency, the output's, comes "
        "on top of both alike.\n\n")
                                .arg(RecorderBlockMs);
    const ServerLatency& server = latency.server;
    if (!latency.soundServer)
        return heading + QStringLiteral("No sound server could be started for this run: not "
                                        "measured.\n\n");
    if (!latency.gameOnServer || server.asked == 0)
        return heading + QStringLiteral("A server ran, but the game's sound did not reach it: "
                                        "not measured.\n\n");
    const std::vector<double>& ms = latency.cues.latenciesMs;
    const QString out = heading + cueRow(latency);
    if (ms.empty())
        return out + QStringLiteral("No cue heard: not measured.\n\n");
    const double over = *std::max_element(ms.begin(), ms.end()) - server.bufferMs;
    return out + QStringLiteral("Worst cue %1 ms above the server's latency (target ≤ 30 ms): "
                                "%2.\n\n")
                     .arg(num(over), verdict(over <= targets::CueOverServerMs));
}

QString Report::startUpTable() const {
    const StartUp& k = startUps.kestrava;
    const StartUp& q = startUps.kestravaSilent;
    const StartUp& e = startUps.empty;
    const StartUp& f = startUps.furnished;
    const StartUp& l = startUps.linked;
    const double ratio = e.wallMs > 0 ? k.wallMs / e.wallMs : -1;
    const double extra = k.peakMiB - e.peakMiB;
    const double linkedRatio = l.wallMs > 0 ? k.wallMs / l.wallMs : -1;
    const double linkedExtra = k.peakMiB - l.peakMiB;
    return QStringLiteral(
               "**5. Start-up**: process start to its first window mapped (seen by the bench "
               "as the X server's MapNotify), and peak resident memory (the child's "
               "`ru_maxrss`), median of %1 runs each, alternating.\n\n"
               "| Program | Wall ms | Peak MiB |\n|---|---:|---:|\n"
               "| `kestrava` (title window) | %2 | %3 |\n"
               "| `kestrava` with `SDL_AUDIODRIVER=dummy` | %4 | %5 |\n"
               "| Empty Qt Widgets window, 487 × 434 | %6 | %7 |\n"
               "| The same with a menu bar and a line of text | %8 | %9 |\n")
               .arg(k.runs)
               .arg(num(k.wallMs), num(k.peakMiB), num(q.wallMs), num(q.peakMiB),
                    num(e.wallMs), num(e.peakMiB), num(f.wallMs), num(f.peakMiB)) +
           QStringLiteral("| The empty window loading SDL2_mixer, ALSA and libjpeg, unused | "
                          "%1 | %2 |\n\n")
               .arg(num(l.wallMs), num(l.peakMiB)) +
           QStringLiteral("The targets are judged against the empty window that loads the same "
                          "libraries, so that what is held to them is the game's own share: "
                          "`kestrava` takes %1 × its wall time (target ≤ 2): %2, and %3 MiB "
                          "more memory (target ≤ 15): %4. Against the bare empty window: "
                          "%5 × and %6 MiB more.\n\n")
               .arg(num(linkedRatio, 2),
                    verdict(linkedRatio > 0 && linkedRatio <= targets::StartOverEmpty),
                    num(linkedExtra),
                    verdict(k.runs > 0 && l.runs > 0 &&
                            linkedExtra <= targets::MemoryOverEmptyMiB),
                    num(ratio, 2), num(extra));
}

QString Report::virtualTable() const {
    const VirtualGames& v = virtualGames;
    return QStringLiteral(
               "**6. A whole game on the virtual clock** (the same scripted player, no "
               "painting): %1 ms of wall time per game of %2 s (median of %3; %4 timer ticks "
               "each; final score %5 with %6 lives left%7).\n")
        .arg(num(v.medianWallMs, 2), num(v.clock141Ms / 1000, 3))
        .arg(v.games)
        .arg(v.ticks)
        .arg(v.score)
        .arg(v.lives)
        .arg(v.sameEveryGame ? QStringLiteral("; every game alike")
                             : QStringLiteral("; **games differed**"));
}

QString Report::markdown() const {
    return heading() + timerTable() + paintTable() + cpuTable() + startUpTable() +
           virtualTable() + QStringLiteral("\n") + keyTable() + cueTable();
}

bool Report::complete() const {
    // Cues count only where a server ran and the game's sound reached it.
    const bool cuesOk = !latency.soundServer ||
                        (latency.gameOnServer && !latency.cues.latenciesMs.empty());
    return realTime.ok && latency.ok && !latency.game.latenciesMs.empty() &&
           !latency.paintFloor.latenciesMs.empty() && cuesOk && paint.renders > 0 &&
           virtualGames.games > 0 &&
           startUps.kestrava.runs > 0 && startUps.kestravaSilent.runs > 0 &&
           startUps.empty.runs > 0 && startUps.furnished.runs > 0 && startUps.linked.runs > 0;
}

}  // namespace kestrava::bench
