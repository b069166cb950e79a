// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the bench's games share: the six timers it measures, by name and in
// table order, a run folder like the one the game ships with, an error
// reporter that prints instead of showing message boxes, and a silent sound
// system for games that must not touch SDL.

#include "framework/Errors.h"
#include "game/Unit2.h"
#include "sound/SoundCue.h"

#include <QString>
#include <memory>
#include <vector>

namespace kestrava::bench {

struct NamedTimer {
    QString name;
    const TTimer* timer;
    int nominalMs;
};

// Timer1, Timer3, Timer4, Timer5, hodinky, Timer2.
std::vector<NamedTimer> measuredTimers(const TForm2& game);
bool isVehicleTimer(const TForm2& game, const void* owner);

// Fills `folder` with the shipped sounds (from `sourceDir`/assets/sounds) and
// a `score` of "0000", and makes it the working directory. Returns false,
// with a message on stderr, when a sound cannot be copied.
bool prepareRunFolder(const QString& folder, const QString& sourceDir);

class PrintingReporter : public ErrorReporter {
public:
    void report(const Exception& error) override;
    int reports = 0;
};

class SilentSounds : public sound::SoundSystem {
public:
    std::unique_ptr<sound::Cue> open(const QString& fileName) override;
};

}  // namespace kestrava::bench
