// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A game window on a virtual clock, in a temporary working directory holding
// a `score` file, with sound cues and error reports recorded instead of
// played and shown. Time passes only when a test advances the clock.

#include "assets/Assets.h"
#include "framework/Clock.h"
#include "framework/Errors.h"
#include "framework/Form.h"
#include "framework/Fonts.h"
#include "framework/StringListFile.h"
#include "game/Unit2.h"
#include "sound/SoundCue.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace kestrava::testing {

// Records every Play with the virtual time it happened at.
class RecordingSoundSystem : public sound::SoundSystem {
public:
    struct Played {
        QString file;
        qint64 atMs;
    };
    explicit RecordingSoundSystem(const Clock& clock) : clock_(clock) {}

    std::unique_ptr<sound::Cue> open(const QString& fileName) override {
        opened.push_back(fileName);
        return std::make_unique<RecordedCue>(*this, fileName);
    }
    int count(const QString& file) const {
        int n = 0;
        for (const Played& p : played)
            n += p.file == file ? 1 : 0;
        return n;
    }

    std::vector<QString> opened;
    std::vector<Played> played;

private:
    struct RecordedCue : sound::Cue {
        RecordedCue(RecordingSoundSystem& owner, QString file)
            : owner(owner), file(std::move(file)) {}
        void Play() override { owner.played.push_back({file, owner.clock_.nowMs()}); }
        RecordingSoundSystem& owner;
        QString file;
    };
    const Clock& clock_;
};

// Passes every file operation on to the disk and keeps every write asked
// for; it can refuse writes the way a full or read-only disk would.
class RecordingFileSystem : public FileSystem {
public:
    explicit RecordingFileSystem(FileSystem& disk) : disk_(disk) {}
    QByteArray readFile(const QString& name) override { return disk_.readFile(name); }
    void writeFile(const QString& name, const QByteArray& bytes) override {
        writes.push_back(bytes);
        if (refuseWrites)
            throw EFCreateError(QStringLiteral("Cannot create file ") + name);
        disk_.writeFile(name, bytes);
    }
    std::vector<QByteArray> writes;
    bool refuseWrites = false;

private:
    FileSystem& disk_;
};

// The working directory switched to a fresh temporary folder for the test.
class TemporaryWorkingDirectory {
public:
    TemporaryWorkingDirectory() : previous_(QDir::currentPath()) {
        QDir::setCurrent(dir_.path());
    }
    ~TemporaryWorkingDirectory() { QDir::setCurrent(previous_); }
    QString path() const { return dir_.path(); }

    static void write(const QString& name, const QByteArray& bytes) {
        QFile file(name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    static QByteArray read(const QString& name) {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private:
    QString previous_;
    QTemporaryDir dir_;
};

class GameFixture : public ::testing::Test {
protected:
    VirtualClock clock;
    ScopedClock scopedClock{clock};
    RecordingReporter reporter;
    ScopedErrorReporter scopedReporter{reporter};
    int terminations = 0;
    ScopedTerminateHandler scopedTerminate{[this] { ++terminations; }};
    TemporaryWorkingDirectory workDir;
    RecordingSoundSystem sounds{clock};
    std::unique_ptr<TForm2> game;

    // Builds the game window with `score` holding `scoreBytes`.
    void createGame(const QByteArray& scoreBytes = "0000\r\n") {
        initAssets();
        registerFontSubstitutes();
        TemporaryWorkingDirectory::write(QStringLiteral("score"), scoreBytes);
        game = std::make_unique<TForm2>(sounds);
    }
    void SetUp() override { createGame(); }
    void TearDown() override {
        if (game && game->isVisible())
            game->hide();
        game.reset();
    }

    // Starts play the way the title window's start picture does.
    void startGame() { game->Show(); }
    void pressKey(int code, int times = 1) {
        for (int i = 0; i < times; ++i)
            game->FormKeyDown(code);
    }
    void holdDeckAt(int top) {
        while (game->Ploska->Top() != top)
            game->FormKeyDown(game->Ploska->Top() > top ? KeyUp : KeyDown);
    }
    // Advances until `done` holds or `limitMs` passes; returns whether it held.
    template <typename Condition>
    bool advanceUntil(Condition done, qint64 limitMs) {
        const qint64 end = clock.nowMs() + limitMs;
        while (!done() && clock.nowMs() < end) {
            if (!clock.fireNext())
                return false;
        }
        return done();
    }
};

}  // namespace kestrava::testing
