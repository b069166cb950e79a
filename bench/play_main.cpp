// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// kestrava_bench_play SECONDS SOURCE_DIR
//
// One scripted game in real time on the program's own windows, timers and
// sound system, with every tick of the measured timers stamped, every paint
// of the game scene measured, every Play call on a cue stamped, and the
// process's CPU time taken from the start picture's click to the end of the
// game (or SECONDS, if sooner). Prints its figures as result lines
// (bench/Results.h) on stdout.
//
// Sound goes to the SDL driver named in SDL_AUDIODRIVER, else to SDL's
// silent driver, as on a machine without a sound card.

#include "app/Application.h"
#include "app/Unit1.h"
#include "assets/Assets.h"
#include "bench/BenchGame.h"
#include "bench/BenchPlayer.h"
#include "bench/RecordingClock.h"
#include "bench/RepaintMeter.h"
#include "bench/Results.h"
#include "framework/Fonts.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace kestrava::bench {
namespace {

// Time for the title window to be mapped and painted before play starts.
constexpr int SettleMs = 500;
constexpr int ClockTicksToTimeOut = 141;

// The game's sound system with every Play call stamped on the way through,
// with whether any cue was sounding at the time.
class StampingSounds : public sound::SoundSystem {
public:
    explicit StampingSounds(sound::SdlSoundSystem& inner) : inner_(inner) {}

    std::unique_ptr<sound::Cue> open(const QString& fileName) override {
        auto cue = std::make_unique<StampedCue>(*this, inner_.open(fileName),
                                                QFileInfo(fileName).fileName());
        opened_.push_back(cue->inner.get());
        return cue;
    }

    const std::vector<CueCall>& calls() const { return calls_; }

private:
    struct StampedCue : sound::Cue {
        StampedCue(StampingSounds& owner, std::unique_ptr<sound::Cue> cue, QString fileName)
            : owner(owner), inner(std::move(cue)), name(std::move(fileName)) {}
        void Play() override {
            owner.calls_.push_back({name, steadyNs(), !owner.anySounding()});
            inner->Play();
        }
        StampingSounds& owner;
        std::unique_ptr<sound::Cue> inner;
        QString name;
    };

    bool anySounding() const {
        return std::any_of(opened_.begin(), opened_.end(),
                           [this](const sound::Cue* c) { return inner_.isPlaying(*c); });
    }

    sound::SdlSoundSystem& inner_;
    std::vector<const sound::Cue*> opened_;  // owned by the game's cues
    std::vector<CueCall> calls_;
};

class PlaySession {
public:
    PlaySession(RecordingClock& clock, TForm2& game)
        : clock_(clock), game_(game), meter_(game), player_(game) {
        clock_.beforeTick = [this](const void* owner) { beforeTick(owner); };
        clock_.afterTick = [this](const void* owner) { afterTick(owner); };
        player_.beforeInput = [this] { meter_.beforeChange(); };
        player_.afterInput = [this] { meter_.afterChange(RepaintMeter::Cause::Other); };
    }

    void start(TForm1& title) {
        startNs_ = steadyNs();
        startCpu_ = processCpuSeconds();
        title.Image2Click();
    }

    void finish() {
        if (endNs_ >= 0)
            return;
        endNs_ = steadyNs();
        endCpu_ = processCpuSeconds();
        meter_.end();
        QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    }

    void print() const;

private:
    // Repaints count from the first vehicle tick: what comes before it is the
    // game window being shown, painted whole as any window is.
    void beforeTick(const void* owner) {
        const bool vehicle = isVehicleTimer(game_, owner);
        if (!metering_ && vehicle) {
            metering_ = true;
            meter_.begin();
        }
        meter_.beforeChange();
        if (vehicle)
            player_.holdDeck();
    }
    void afterTick(const void* owner) {
        const bool vehicle = isVehicleTimer(game_, owner);
        meter_.afterChange(vehicle ? RepaintMeter::Cause::VehicleTick
                                   : RepaintMeter::Cause::Other);
        if (game_.konechry->Visible())
            finish();
        else if (vehicle)
            player_.act();
    }
    void printTimers() const;
    void printRepaints() const;

    RecordingClock& clock_;
    TForm2& game_;
    RepaintMeter meter_;
    BenchPlayer player_;
    bool metering_ = false;
    qint64 startNs_ = 0;
    qint64 endNs_ = -1;
    double startCpu_ = 0;
    double endCpu_ = 0;
};

void put(const QString& line) { std::printf("%s\n", qPrintable(line)); }

void PlaySession::printTimers() const {
    for (const NamedTimer& t : measuredTimers(game_)) {
        const TickSeries* series = clock_.series(t.timer);
        put(timerLine({t.name, t.nominalMs, series ? series->stats(endNs_) : TickStats{}}));
    }
    const TickSeries* clockTicks = clock_.series(&game_.hodinky);
    const qint64 lastNs = clockTicks ? clockTicks->nthTickAfterStartNs(ClockTicksToTimeOut) : -1;
    put(valueLine(QStringLiteral("clock141_ms"), lastNs < 0 ? -1 : double(lastNs) / 1e6));
}

void PlaySession::printRepaints() const {
    const RepaintStats& r = meter_.stats();
    put(valueLine(QStringLiteral("repaint_vehicle_ticks"), r.vehicleTicks));
    put(valueLine(QStringLiteral("repaint_mean_px"), r.meanPxPerVehicleTick));
    put(valueLine(QStringLiteral("repaint_allowed_px"), r.allowedPxPerVehicleTick));
    put(valueLine(QStringLiteral("repaint_max_px"), double(r.maxPxVehicleFrame)));
    put(valueLine(QStringLiteral("repaint_frames"), r.frames));
    put(valueLine(QStringLiteral("repaint_excess_px"), double(r.excessPx)));
    put(valueLine(QStringLiteral("repaint_whole_scene_frames"), r.wholeSceneFrames));
}

void PlaySession::print() const {
    printTimers();
    printRepaints();
    put(valueLine(QStringLiteral("cpu_s"), endCpu_ - startCpu_));
    put(valueLine(QStringLiteral("wall_s"), double(endNs_ - startNs_) / 1e9));
    put(valueLine(QStringLiteral("lives"), game_.lives));
    put(valueLine(QStringLiteral("score"), game_.runningScore));
    put(valueLine(QStringLiteral("lights_used"), player_.lightsUsed()));
    put(valueLine(QStringLiteral("keys"), player_.keysPressed()));
    put(valueLine(QStringLiteral("ended"), game_.konechry->Visible()));
    put(valueLine(QStringLiteral("game_over"), game_.bohuzel->isVisibleTo(game_.konechry)));
}

int play(int seconds, const QString& sourceDir) {
    QTemporaryDir runFolder;
    if (!prepareRunFolder(runFolder.path(), sourceDir))
        return 1;
    initAssets();
    registerFontSubstitutes();
    PrintingReporter reporter;
    ScopedErrorReporter scopedReporter(reporter);
    RealClock real;
    RecordingClock clock(real, RecordingClock::Stamps::Monotonic);
    ScopedClock scopedClock(clock);

    TForm1 title;
    Form1 = &title;
    sound::SdlSoundSystem sdlSounds;
    StampingSounds sounds(sdlSounds);
    TForm2 game(sounds);
    Form2 = &game;
    PlaySession session(clock, game);
    title.Show();
    QTimer::singleShot(SettleMs, [&] { session.start(title); });
    QTimer::singleShot(SettleMs + seconds * 1000, [&] { session.finish(); });
    qApp->exec();
    session.print();
    for (const CueCall& call : sounds.calls())
        put(cueLine(call));
    put(valueLine(QStringLiteral("sound_driver_dummy"),
                  sdlSounds.driverName() == QLatin1String("dummy")));
    put(valueLine(QStringLiteral("errors"), reporter.reports));
    game.hide();
    Form2 = nullptr;
    Form1 = nullptr;
    return 0;
}

}  // namespace
}  // namespace kestrava::bench

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SECONDS SOURCE_DIR\n", argv[0]);
        return 2;
    }
    if (!qEnvironmentVariableIsSet("SDL_AUDIODRIVER"))
        qputenv("SDL_AUDIODRIVER", "dummy");
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    return kestrava::bench::play(std::atoi(argv[1]), QString::fromLocal8Bit(argv[2]));
}
