// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/Measurements.h"

#include "app/Application.h"
#include "app/Unit1.h"
#include "bench/BenchGame.h"
#include "bench/BenchPlayer.h"
#include "bench/RecordingClock.h"
#include "bench/StartupProbe.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace kestrava::bench {

namespace {
constexpr int ChildGraceMs = 60'000;
constexpr int WindowTimeoutMs = 20'000;
constexpr int RenderWarmUps = 5;
constexpr qint64 VirtualLimitMs = 150'000;
constexpr int ClockTicksToTimeOut = 141;
constexpr unsigned KeySeed = 16;
constexpr int ServerAskEveryMs = 1000;

void startChild(QProcess& child, const QString& program, const QStringList& args,
                const char* soundDriver = "dummy") {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SDL_AUDIODRIVER"), QString::fromLatin1(soundDriver));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(program, args);
}

bool finishChild(QProcess& child, int seconds, ChildResults& results) {
    const bool ended = child.state() == QProcess::NotRunning ||
                       child.waitForFinished(seconds * 1000 + ChildGraceMs);
    results = parseResults(QString::fromLocal8Bit(child.readAllStandardOutput()));
    if (!ended || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(child.program()));
        return false;
    }
    return true;
}

double medianRenderMs(QWidget& widget, int renders) {
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    for (int i = 0; i < RenderWarmUps; ++i)
        widget.render(&image);
    std::vector<double> times;
    for (int i = 0; i < renders; ++i) {
        const qint64 start = steadyNs();
        widget.render(&image);
        times.push_back(double(steadyNs() - start) / 1e6);
    }
    return median(times);
}
}  // namespace

RealTimeRun runRealTime(const Places& places, int seconds) {
    RealTimeRun run;
    QProcess game;
    QProcess floor;
    QProcess paintFloor;
    startChild(game, places.playChild, {QString::number(seconds), places.sourceDir});
    startChild(floor, places.floorChild, {QString::number(seconds)});
    startChild(paintFloor, places.paintFloorChild, {QString::number(seconds)});
    const bool gameOk = finishChild(game, seconds, run.game);
    const bool floorOk = finishChild(floor, seconds, run.floor);
    const bool paintFloorOk = finishChild(paintFloor, seconds, run.paintFloor);
    run.ok = gameOk && floorOk && paintFloorOk;
    return run;
}

namespace {
std::optional<KeyTarget> windowOf(KeyLatencyProbe& probe, const QProcess& child) {
    std::optional<KeyTarget> target;
    if (probe.ready())
        target = probe.findWindowOf(int(child.processId()), WindowTimeoutMs);
    if (!target)
        std::fprintf(stderr, "no window of %s to press keys into\n", qPrintable(child.program()));
    return target;
}

void pressKeys(const QProcess& game, const QProcess& floor, int presses, LatencyRun& run) {
    KeyLatencyProbe probe;
    const std::optional<KeyTarget> gameWindow = windowOf(probe, game);
    const std::optional<KeyTarget> floorWindow = windowOf(probe, floor);
    run.keysOk = gameWindow && floorWindow;
    std::mt19937 random(KeySeed);
    for (int done = 0; run.keysOk && done < presses; done += PressesPerTurn) {
        const int turn = std::min(PressesPerTurn, presses - done);
        probe.press(*gameWindow, turn, KeyPausesMs, random, run.game);
        probe.press(*floorWindow, turn, KeyPausesMs, random, run.paintFloor);
    }
}

ServerLatency askServerUntilEnd(QProcess& game) {
    std::vector<ServerLatency> asked;
    while (!game.waitForFinished(ServerAskEveryMs))
        asked.push_back(askServerLatency());
    return medianLatency(asked);
}

std::map<QString, int> cueLeadIns(const QString& sourceDir) {
    const QDir sounds(sourceDir + QStringLiteral("/assets/sounds"));
    std::map<QString, int> leadIns;
    for (const QString& wav : sounds.entryList({QStringLiteral("*.wav")}, QDir::Files))
        leadIns[wav] = leadInSamples(sounds.filePath(wav));
    return leadIns;
}
}  // namespace

LatencyRun runLatency(const Places& places, const Options& options) {
    LatencyRun run;
    const QByteArray monitor = qgetenv("PULSE_MONITOR");
    run.soundServer = !monitor.isEmpty() && qEnvironmentVariableIsSet("PULSE_SERVER");
    std::optional<MonitorRecorder> recorder;
    if (run.soundServer)
        recorder.emplace(monitor);
    const int seconds = options.latencySeconds;
    QProcess game;
    QProcess floor;
    startChild(game, places.playChild, {QString::number(seconds), places.sourceDir},
               run.soundServer ? "pulseaudio" : "dummy");
    startChild(floor, places.paintFloorChild, {QString::number(seconds)});
    pressKeys(game, floor, options.presses, run);
    if (run.soundServer)
        run.server = askServerUntilEnd(game);
    ChildResults floorResults;
    const bool gameOk = finishChild(game, seconds, run.play);
    const bool floorOk = finishChild(floor, seconds, floorResults);
    run.ok = gameOk && floorOk && run.keysOk;
    run.cueCalls = int(run.play.cues.size());
    run.gameOnServer =
        run.soundServer && run.play.value(QStringLiteral("sound_driver_dummy")) == 0;
    if (recorder)
        run.cues = findOnsets(recorder->stop(), run.play.cues, cueLeadIns(places.sourceDir));
    return run;
}

PaintCost measurePaint(const QString& sourceDir, int renders) {
    PaintCost cost;
    QTemporaryDir folder;
    if (!prepareRunFolder(folder.path(), sourceDir))
        return cost;
    TForm1 title;
    SilentSounds sounds;
    TForm2 game(sounds);
    cost.gameSceneMs = medianRenderMs(game.client(), renders);
    cost.titleWindowMs = medianRenderMs(title.client(), renders);
    cost.renders = renders;
    return cost;
}

namespace {
struct OneGame {
    double wallMs;
    int ticks;
    double clock141Ms;
    int lives;
    int score;
};

OneGame playOneVirtualGame() {
    VirtualClock virtualClock;
    RecordingClock clock(virtualClock, RecordingClock::Stamps::InnerClock);
    ScopedClock scoped(clock);
    SilentSounds sounds;
    TForm2 game(sounds);
    BenchPlayer player(game);
    int ticks = 0;
    clock.afterTick = [&](const void* owner) {
        ++ticks;
        if (isVehicleTimer(game, owner))
            player.act();
    };
    const qint64 start = steadyNs();
    game.Show();
    while (!game.konechry->Visible() && virtualClock.nowMs() < VirtualLimitMs)
        virtualClock.fireNext();
    const double wallMs = double(steadyNs() - start) / 1e6;
    const qint64 last = clock.series(&game.hodinky)->nthTickAfterStartNs(ClockTicksToTimeOut);
    game.hide();
    return {wallMs, ticks, last < 0 ? -1 : double(last) / 1e6, game.lives, game.runningScore};
}
}  // namespace

VirtualGames playVirtualGames(const QString& sourceDir, int games) {
    VirtualGames result;
    QTemporaryDir folder;
    std::vector<double> walls;
    for (int i = 0; i < games; ++i) {
        // Each game meets the same stored best score.
        if (!prepareRunFolder(folder.path() + QStringLiteral("/game%1").arg(i), sourceDir))
            return result;
        const OneGame g = playOneVirtualGame();
        walls.push_back(g.wallMs);
        if (i > 0 && (g.ticks != result.ticks || g.score != result.score))
            result.sameEveryGame = false;
        result.ticks = g.ticks;
        result.clock141Ms = g.clock141Ms;
        result.lives = g.lives;
        result.score = g.score;
    }
    result.games = games;
    result.medianWallMs = median(walls);
    return result;
}

namespace {
StartUp summarise(const std::vector<StartSample>& samples) {
    std::vector<double> walls;
    std::vector<double> peaks;
    for (const StartSample& s : samples) {
        walls.push_back(s.wallMs);
        peaks.push_back(s.peakMiB);
    }
    return {median(walls), median(peaks), int(samples.size())};
}
}  // namespace

StartUps measureStartUps(const Places& places, int runs) {
    StartupProbe probe;
    QTemporaryDir folder;
    const QString work = folder.path() + QStringLiteral("/run");
    if (!probe.connected() || !prepareRunFolder(work, places.sourceDir))
        return {};
    std::vector<StartSample> game;
    std::vector<StartSample> silent;
    std::vector<StartSample> empty;
    std::vector<StartSample> furnished;
    std::vector<StartSample> linked;
    const QByteArray folderPath = work.toLocal8Bit();
    auto measure = [&](const QList<QByteArray>& command, std::vector<StartSample>& into,
                       const QList<QByteArray>& env = {}) {
        // Every start meets the score file as shipped.
        prepareRunFolder(work, places.sourceDir);
        if (auto s = probe.measure(command, folderPath, WindowTimeoutMs, env))
            into.push_back(*s);
    };
    const QByteArray program = places.kestrava.toLocal8Bit();
    const QByteArray yardstick = places.emptyWindow.toLocal8Bit();
    const QByteArray linkedYardstick = places.emptyWindowLinked.toLocal8Bit();
    for (int i = 0; i < runs; ++i) {
        measure({program}, game);
        measure({program}, silent, {QByteArrayLiteral("SDL_AUDIODRIVER=dummy")});
        measure({yardstick}, empty);
        measure({yardstick, QByteArrayLiteral("--furnished")}, furnished);
        measure({linkedYardstick}, linked);
    }
    return {summarise(game), summarise(silent), summarise(empty), summarise(furnished),
            summarise(linked)};
}

}  // namespace kestrava::bench
