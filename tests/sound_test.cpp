// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Errors.h"
#include "sound/DriverChoice.h"
#include "sound/SoundCue.h"

#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <vector>

using namespace kestrava;
using kestrava::sound::Cue;
using kestrava::sound::SdlSoundSystem;

namespace {

// Test sounds: 16-bit mono PCM of silence, so a sound's length is exact.
constexpr int kSampleRateHz = 22050;
constexpr int kBytesPerSample = 2;
constexpr int kWavHeaderBytes = 44;
// Whole header fields cut here: RIFF chunk and "WAVE", then nothing.
constexpr int kTruncatedHeaderBytes = 20;

// Playing takes real time; these bound every wait so a hung mixer fails the
// test instead of stalling it, and the margins leave room for a slow machine.
constexpr int kPollStepMs = 5;
constexpr int kWaitLimitMs = 2000;

QByteArray wavBytes(int durationMs) {
    const quint32 dataBytes = quint32(kSampleRateHz) * durationMs / 1000 * kBytesPerSample;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(kWavHeaderBytes - 8 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1)  // PCM, mono
        << quint32(kSampleRateHz) << quint32(kSampleRateHz * kBytesPerSample)
        << quint16(kBytesPerSample) << quint16(8 * kBytesPerSample);
    out.writeRawData("data", 4);
    out << dataBytes;
    bytes.append(QByteArray(int(dataBytes), '\0'));
    return bytes;
}

// Waits until `done` holds or the limit passes; returns the elapsed time of
// `clock` at that moment.
qint64 waitUntil(const QElapsedTimer& clock, const std::function<bool()>& done) {
    QElapsedTimer limit;
    limit.start();
    while (!done() && limit.elapsed() < kWaitLimitMs)
        QThread::msleep(kPollStepMs);
    return clock.elapsed();
}

// Every test runs in its own working directory holding a `sounds` folder, so
// the cues are opened by relative names as the game opens them.
class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        previousDir_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
        ASSERT_TRUE(QDir().mkdir("sounds"));
        qputenv("SDL_AUDIODRIVER", "dummy");
    }
    void TearDown() override {
        QDir::setCurrent(previousDir_);
        qunsetenv("SDL_AUDIODRIVER");
    }

    static QString writeFile(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return name;
    }
    static QString writeWav(const QString& name, int durationMs) {
        return writeFile(name, wavBytes(durationMs));
    }

private:
    QTemporaryDir dir_;
    QString previousDir_;
};

TEST_F(SoundTest, AskedAgainWhilePlayingItCarriesOnInsteadOfRestarting) {
    constexpr int kSoundMs = 300;
    constexpr int kSecondPlayAtMs = 150;
    SdlSoundSystem system;
    auto cue = system.open(writeWav("sounds/tep.wav", kSoundMs));
    QElapsedTimer clock;
    clock.start();
    cue->Play();
    waitUntil(clock, [&] { return clock.elapsed() >= kSecondPlayAtMs; });
    ASSERT_TRUE(system.isPlaying(*cue)) << "the sound ended before it was asked again";
    const qint64 secondPlayMs = clock.elapsed();
    cue->Play();
    const qint64 endMs = waitUntil(clock, [&] { return !system.isPlaying(*cue); });
    ASSERT_FALSE(system.isPlaying(*cue));
    // A restart would need nearly the whole sound again after the second Play.
    EXPECT_LT(endMs - secondPlayMs, kSoundMs * 3 / 4)
        << "played " << endMs << " ms in all";
}

TEST_F(SoundTest, PlayedToItsEndItStartsAgainFromTheBeginning) {
    constexpr int kSoundMs = 150;
    SdlSoundSystem system;
    auto cue = system.open(writeWav("sounds/autobus.wav", kSoundMs));
    QElapsedTimer clock;
    clock.start();
    cue->Play();
    waitUntil(clock, [&] { return !system.isPlaying(*cue); });
    ASSERT_FALSE(system.isPlaying(*cue));

    clock.restart();
    cue->Play();
    EXPECT_TRUE(system.isPlaying(*cue));
    const qint64 secondRunMs = waitUntil(clock, [&] { return !system.isPlaying(*cue); });
    // The whole sound again, not just a tail of it.
    EXPECT_GE(secondRunMs, kSoundMs / 2);
}

TEST_F(SoundTest, TwoCuesPlayAtTheSameTime) {
    SdlSoundSystem system;
    auto crash = system.open(writeWav("sounds/crash.wav", 200));
    auto truck = system.open(writeWav("sounds/kamion.wav", 200));
    crash->Play();
    truck->Play();
    EXPECT_TRUE(system.isPlaying(*crash));
    EXPECT_TRUE(system.isPlaying(*truck));
}

TEST_F(SoundTest, PlayReturnsAtOnce) {
    constexpr int kSoundMs = 500;
    SdlSoundSystem system;
    auto cue = system.open(writeWav("sounds/motorka.wav", kSoundMs));
    QElapsedTimer clock;
    clock.start();
    cue->Play();
    EXPECT_LT(clock.elapsed(), kSoundMs / 2);
    EXPECT_TRUE(system.isPlaying(*cue));
}

struct OpenFailure {
    const char* what;
    std::function<void()> makeFile;  // prepares sounds/bad.wav
    const char* reason;
};

TEST_F(SoundTest, EachOpenFailureNamesTheFileAndWhatIsWrong) {
    const QByteArray wav = wavBytes(100);
    const std::vector<OpenFailure> cases = {
        {"missing", [] {}, "the file is missing"},
        {"directory", [] { QDir().mkdir("sounds/bad.wav"); }, "it is a directory"},
        {"empty", [] { writeFile("sounds/bad.wav", {}); }, "it is empty"},
        {"text", [] { writeFile("sounds/bad.wav", "not a sound, just words\n"); },
         "not a WAV sound ("},
        {"truncated header",
         [&] { writeFile("sounds/bad.wav", wav.left(kTruncatedHeaderBytes)); },
         "not a WAV sound ("},
        {"no samples", [] { writeWav("sounds/bad.wav", 0); }, "it holds no sound"},
    };
    SdlSoundSystem system;
    for (const OpenFailure& c : cases) {
        SCOPED_TRACE(c.what);
        QDir("sounds").removeRecursively();
        QDir().mkdir("sounds");
        c.makeFile();
        try {
            system.open("sounds/bad.wav");
            ADD_FAILURE() << "open succeeded";
        } catch (const EMCIDeviceError& error) {
            EXPECT_TRUE(error.message().startsWith("Cannot open sound file sounds/bad.wav: "))
                << error.what();
            EXPECT_TRUE(error.message().contains(c.reason)) << error.what();
        }
    }
}

TEST_F(SoundTest, AnUnreadableFileIsReportedAsPermissionDenied) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    writeWav("sounds/tep.wav", 100);
    ASSERT_TRUE(QFile::setPermissions("sounds/tep.wav", QFileDevice::WriteOwner));
    SdlSoundSystem system;
    try {
        system.open("sounds/tep.wav");
        ADD_FAILURE() << "open succeeded";
    } catch (const EMCIDeviceError& error) {
        EXPECT_EQ(error.message(),
                  "Cannot open sound file sounds/tep.wav: permission denied");
    }
}

TEST_F(SoundTest, AnOutputThatCannotOpenFallsBackToTheSilentDriver) {
    qputenv("SDL_AUDIODRIVER", "no-such-audio-driver");
    SdlSoundSystem system;
    EXPECT_EQ(system.driverName(), "dummy");
    auto cue = system.open(writeWav("sounds/tep.wav", 100));
    QElapsedTimer clock;
    clock.start();
    cue->Play();
    EXPECT_TRUE(system.isPlaying(*cue));
    waitUntil(clock, [&] { return !system.isPlaying(*cue); });
    EXPECT_FALSE(system.isPlaying(*cue));
}

// Without a sound card ALSA would print its "cannot find card" lines here;
// with one, the output simply opens.
TEST_F(SoundTest, AlsaPrintsNothingWhileTheSystemOpens) {
    qputenv("SDL_AUDIODRIVER", "alsa");
    testing::internal::CaptureStderr();
    QString driver;
    {
        SdlSoundSystem system;
        driver = system.driverName();
    }
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed.find("ALSA lib"), std::string::npos) << printed;
    EXPECT_TRUE(driver == "alsa" || driver == "dummy") << driver.toStdString();
}

// Whatever this machine has (a card, a sound server, or nothing), the system
// opens some output and the cues play with their timing.
TEST_F(SoundTest, WithNoDriverNamedTheSystemOpensAnOutput) {
    qunsetenv("SDL_AUDIODRIVER");
    SdlSoundSystem system;
    EXPECT_FALSE(system.driverName().isEmpty());
    auto cue = system.open(writeWav("sounds/tep.wav", 100));
    cue->Play();
    EXPECT_TRUE(system.isPlaying(*cue));
}

TEST(AudioDriversTest, ServersFirstAlsaWhereItPlaysSilenceLast) {
    using kestrava::sound::AudioMachine;
    const QStringList sdlDrivers = {"pulseaudio", "alsa", "sndio", "pipewire", "dsp", "dummy"};
    const QStringList noServers = {"alsa", "sndio", "dsp", "disk", "dummy"};
    struct Row {
        const char* what;
        AudioMachine machine;
        QStringList expected;
    };
    // Fields: named driver, ALSA plays, PipeWire socket, lost driver, SDL's drivers.
    const Row rows[] = {
        {"the player named a driver", {"alsa", false, true, "", sdlDrivers}, {"alsa"}},
        {"the named driver is tried again after it went away",
         {"pulseaudio", true, false, "pulseaudio", sdlDrivers}, {"pulseaudio"}},
        {"a card, no PipeWire socket", {"", true, false, "", sdlDrivers},
         {"pulseaudio", "alsa", "dummy"}},
        {"a card and a PipeWire socket: servers in SDL's order",
         {"", true, true, "", sdlDrivers}, {"pulseaudio", "pipewire", "alsa", "dummy"}},
        {"no ALSA output", {"", false, true, "", sdlDrivers}, {"pulseaudio", "pipewire", "dummy"}},
        {"no ALSA output and no server driver: silent at once",
         {"", false, true, "", noServers}, {"dummy"}},
        {"a server went away: only servers, never the card, never silence",
         {"", true, true, "pulseaudio", sdlDrivers}, {"pulseaudio", "pipewire"}},
        {"PipeWire went away and its socket with it", {"", true, false, "pipewire", sdlDrivers},
         {"pulseaudio"}},
        {"a server went away and SDL has no server driver: nothing to try",
         {"", true, true, "pulseaudio", noServers}, {}},
        {"the card went away: servers or the card again", {"", true, false, "alsa", sdlDrivers},
         {"pulseaudio", "alsa"}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(kestrava::sound::audioDrivers(row.machine), row.expected) << row.what;
}

TEST(PipewireSocketPathTest, FoundAsPipeWiresClientLibraryFindsIt) {
    struct Row {
        const char* what;
        kestrava::sound::PipewireEnvironment environment;
        QString expected;
    };
    // Fields: PIPEWIRE_REMOTE, PIPEWIRE_RUNTIME_DIR, XDG_RUNTIME_DIR.
    const Row rows[] = {
        {"the session's runtime folder", {"", "", "/run/user/1000"}, "/run/user/1000/pipewire-0"},
        {"PipeWire's own runtime folder first", {"", "/run/pw", "/run/user/1000"},
         "/run/pw/pipewire-0"},
        {"a remote by name", {"pipewire-1", "", "/run/user/1000"}, "/run/user/1000/pipewire-1"},
        {"a remote by absolute path", {"/tmp/pw/socket", "/run/pw", "/run/user/1000"},
         "/tmp/pw/socket"},
        {"no runtime folder: nowhere to look", {"pipewire-0", "", ""}, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(kestrava::sound::pipewireSocketPath(row.environment), row.expected) << row.what;
}

TEST_F(SoundTest, ACueLeftOverAfterItsSystemIsClosed) {
    std::unique_ptr<Cue> cue;
    {
        SdlSoundSystem system;
        cue = system.open(writeWav("sounds/crash.wav", 200));
        cue->Play();
    }
    try {
        cue->Play();
        ADD_FAILURE() << "Play succeeded";
    } catch (const EMCIDeviceError& error) {
        EXPECT_EQ(error.message(), "No MCI device open");
    }
}

}  // namespace
