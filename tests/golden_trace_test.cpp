// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole scripted games on the virtual clock, written down tick by tick and
// compared with the traces kept in tests/golden/. A trace line holds the
// virtual time, what acted (a timer by its name, or the player) and every
// piece of game state that changed since the line before: item positions and
// visibility, timers, lives, scores, captions, cues played and file writes.
// Any change in what the game does shows as the first line that differs, so
// the code behind the lanes can be reshaped with proof that play is the same.
//
// After a deliberate change of behaviour, record the traces anew with
// KESTRAVA_RECORD_GOLDEN=1 and read the diff before committing it.

#include "tests/CarefulPlayer.h"
#include "tests/GameFixture.h"

#include <QFile>
#include <QTextStream>
#include <map>
#include <optional>
#include <random>

namespace kestrava::testing {
namespace {

// Passes everything to the virtual clock and tells `afterTick` which timer
// has just ticked.
class TracingClock : public Clock {
public:
    explicit TracingClock(VirtualClock& clock) : clock_(clock) {}
    void start(const void* owner, int intervalMs, Tick tick) override {
        clock_.start(owner, intervalMs, [this, owner, tick = std::move(tick)] {
            tick();
            afterTick(owner);
        });
    }
    void stop(const void* owner) override { clock_.stop(owner); }
    qint64 nowMs() const override { return clock_.nowMs(); }

    std::function<void(const void*)> afterTick = [](const void*) {};

private:
    VirtualClock& clock_;
};

using State = std::map<QString, QString>;

QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

QString timerState(const TTimer& t) {
    return (t.Enabled() ? QStringLiteral("on/") : QStringLiteral("off/")) +
           QString::number(t.Interval());
}

class GoldenTraceTest : public GameFixture {
protected:
    TracingClock tracing{clock};
    std::optional<ScopedClock> scopedTracing;
    RecordingFileSystem disk{fileSystem()};
    ScopedFileSystem scopedDisk{disk};
    QStringList trace;
    State last;
    size_t cuesSeen = 0;
    size_t writesSeen = 0;
    size_t reportsSeen = 0;

    void SetUp() override {
        scopedTracing.emplace(tracing);
        createGame();
        const std::map<const void*, QString> timers = {
            {&game->Timer1, "Timer1"},     {&game->Timer4, "Timer4"},
            {&game->Timer3, "Timer3"},     {&game->Timer5, "Timer5"},
            {&game->semafor, "semafor"},   {&game->semafor1, "semafor1"},
            {&game->semafor2, "semafor2"}, {&game->semafor3, "semafor3"},
            {&game->hodinky, "hodinky"},   {&game->Timer2, "Timer2"}};
        tracing.afterTick = [this, timers](const void* owner) {
            const auto named = timers.find(owner);
            note(named == timers.end() ? QStringLiteral("?") : named->second, true);
        };
        note(QStringLiteral("created"), true);
    }
    void TearDown() override {
        GameFixture::TearDown();
        scopedTracing.reset();
    }

    State state() const {
        const TForm2& g = *game;
        State s;
        const std::pair<const char*, const TImage*> vehicles[] = {
            {"bus01", g.bus01.get()}, {"tramvaj", g.tramvaj.get()},
            {"kamion", g.kamion.get()}, {"motorka", g.motorka.get()}};
        for (const auto& [name, item] : vehicles) {
            s[name] = QString::number(item->Left()) + (item->Visible() ? "" : " hidden");
        }
        s["Ploska"] = QString::number(g.Ploska->Top());
        s["lives"] = QString::number(g.lives);
        s["runningScore"] = QString::number(g.runningScore);
        s["timeLeft"] = QString::number(g.timeLeft);
        s["lightsLeft"] = QString::number(g.lightsLeft);
        const std::pair<const char*, const TTimer*> timers[] = {
            {"Timer1", &g.Timer1},     {"Timer4", &g.Timer4},   {"Timer3", &g.Timer3},
            {"Timer5", &g.Timer5},     {"semafor", &g.semafor}, {"semafor1", &g.semafor1},
            {"semafor2", &g.semafor2}, {"semafor3", &g.semafor3}, {"hodinky", &g.hodinky},
            {"Timer2", &g.Timer2}};
        for (const auto& [name, timer] : timers)
            s[name] = timerState(*timer);
        const std::pair<const char*, const TItem*> shown[] = {
            {"Image10", g.Image10.get()}, {"Image18", g.Image18.get()},
            {"Image17", g.Image17.get()}, {"Image19", g.Image19.get()},
            {"red01", g.red01.get()},     {"zel01", g.zel01.get()},
            {"red02", g.red02.get()},     {"zel02", g.zel02.get()},
            {"red03", g.red03.get()},     {"zel03", g.zel03.get()},
            {"red04", g.red04.get()},     {"zel04", g.zel04.get()},
            {"life01", g.life01.get()},   {"life02", g.life02.get()},
            {"life03", g.life03.get()},   {"life04", g.life04.get()},
            {"Label4", g.Label4.get()}};
        for (const auto& [name, item] : shown)
            s[name] = flag(item->Visible()) + (item->Enabled() ? "" : " disabled");
        s["Lscore"] = g.Lscore->Caption();
        s["hodiny"] = g.hodiny->Caption();
        s["Label1"] = g.Label1->Caption();
        s["Label3"] = g.Label3->Caption();
        s["ListBox1"] = g.ListBox1->Items().join('|');
        s["konechry"] = flag(g.konechry->Visible());
        s["bohuzel"] = flag(!g.bohuzel->isHidden());
        s["terminations"] = QString::number(terminations);
        return s;
    }

    // One line: what changed since the last line, then the cues, writes and
    // reports that came with it. A player's step that changed nothing leaves
    // no line; every tick does.
    void note(const QString& actor, bool always) {
        QStringList parts;
        const State now = state();
        for (const auto& [key, value] : now) {
            const auto before = last.find(key);
            if (before == last.end() || before->second != value)
                parts << key + '=' + value;
        }
        for (; cuesSeen < sounds.played.size(); ++cuesSeen)
            parts << "cue " + sounds.played[cuesSeen].file;
        for (; writesSeen < disk.writes.size(); ++writesSeen)
            parts << "write " + QString::fromLatin1(disk.writes[writesSeen].toPercentEncoding());
        for (; reportsSeen < reporter.reports.size(); ++reportsSeen)
            parts << "report " + reporter.reports[reportsSeen];
        last = now;
        if (always || !parts.isEmpty())
            trace << QString::number(clock.nowMs()) + ' ' + actor + ' ' + parts.join(", ");
    }

    // Plays in 5 ms steps until the end panel shows or 150 s pass; `act` is
    // the player's look at the scene after each step.
    template <typename Player>
    void play(Player act) {
        startGame();
        note(QStringLiteral("shown"), true);
        while (!game->konechry->Visible() && clock.nowMs() < 150000) {
            clock.advance(5);
            act();
            note(QStringLiteral("player"), false);
        }
        // A few seconds after the end: nothing may move any more.
        clock.advance(3000);
    }

    void compareWithGolden(const QString& name) {
        const QString path = QStringLiteral(KESTRAVA_GOLDEN_DIR "/") + name + ".trace";
        const QByteArray produced = (trace.join('\n') + '\n').toUtf8();
        if (qEnvironmentVariableIsSet("KESTRAVA_RECORD_GOLDEN")) {
            QFile out(path);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
            out.write(produced);
        }
        QFile in(path);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly)) << "no golden trace " << path.toStdString();
        const QStringList golden = QString::fromUtf8(in.readAll()).split('\n');
        const QStringList lines = QString::fromUtf8(produced).split('\n');
        for (qsizetype i = 0; i < std::min(golden.size(), lines.size()); ++i) {
            ASSERT_EQ(lines[i], golden[i]) << "first difference at line " << i + 1 << " of "
                                           << path.toStdString();
        }
        EXPECT_EQ(lines.size(), golden.size()) << "the traces differ in length";
    }
};

TEST_F(GoldenTraceTest, ACarefulPlayerToTheTimeOut) {
    CarefulPlayer player(*game);
    play([&player] { player.act(); });
    compareWithGolden(QStringLiteral("careful"));
}

TEST_F(GoldenTraceTest, AnIdlePlayerLosesEveryLife) {
    play([] {});
    compareWithGolden(QStringLiteral("idle"));
}

// A player of seeded chance: it sets out for a lane level or any height now
// and then, steps towards it a key at a time, pulls the lights and clicks the
// scene. It leaves lanes at odd moments, so the exact edges and the halts of
// released lanes all come up. minstd_rand is the same sequence everywhere.
TEST_F(GoldenTraceTest, AWildPlayerOfSeededChance) {
    std::minstd_rand chance(20260);
    const int levels[] = {rules::BusLevel, rules::TramLevel, rules::TruckLevel,
                          rules::MotorkaLevel};
    int target = game->Ploska->Top();
    play([&] {
        const unsigned roll = chance() % 1000;
        if (roll < 12)
            target = levels[chance() % 4];
        else if (roll < 15)
            target = 20 + 5 * static_cast<int>(chance() % 77);
        else if (roll < 17) {
            TImage* const posts[] = {game->Image10.get(), game->Image18.get(),
                                     game->Image17.get(), game->Image19.get()};
            TImage* post = posts[chance() % 4];
            if (post->Enabled())
                post->OnClick();
        } else if (roll < 18)
            game->FormClick();
        if (game->Ploska->Top() != target && roll % 3 == 0)
            game->FormKeyDown(game->Ploska->Top() > target ? KeyUp : KeyDown);
    });
    compareWithGolden(QStringLiteral("wild"));
}

// The careful player who looks away now and then for up to 0.6 s, and once
// in a while clicks the scene: lives go at every kind of place and moment,
// and the game runs long enough to store bests before it ends.
TEST_F(GoldenTraceTest, ACarefulPlayerLookingAwayNowAndThen) {
    std::minstd_rand chance(7);
    CarefulPlayer player(*game);
    qint64 awayUntilMs = 0;
    play([&] {
        const unsigned roll = chance() % 1000;
        if (roll < 3)
            awayUntilMs = clock.nowMs() + 5 * static_cast<int>(chance() % 120);
        else if (roll < 4)
            game->FormClick();
        if (clock.nowMs() >= awayUntilMs)
            player.act();
    });
    compareWithGolden(QStringLiteral("distracted"));
}

}  // namespace
}  // namespace kestrava::testing
