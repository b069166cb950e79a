// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The measurements the bench takes itself, in its own process or by starting
// the measuring children, and the figures they give.

#include "bench/CueLatency.h"
#include "bench/KeyLatency.h"
#include "bench/Results.h"

#include <QString>
#include <utility>

namespace kestrava::bench {

// Pauses before each arrow key, ms: from quicker than a player's fingers to
// a deliberate press, drawn at random so the keys fall anywhere in the frames.
inline constexpr std::pair<int, int> KeyPausesMs{20, 150};
// The keys go into the game's window and the floor's by turns of this many
// presses, so both meet the same load of a shared machine. Even, so each
// turn leaves the piece where it found it.
inline constexpr int PressesPerTurn = 20;

struct Options {
    int playSeconds = 150;  // the game ends itself at 141 s
    int startRuns = 11;
    int virtualGames = 5;
    int renders = 300;
    int presses = 200;          // arrow keys into each window
    int latencySeconds = 150;   // the game that is played and listened to
};

// Paths the build and the source tree give the bench.
struct Places {
    QString kestrava;
    QString playChild;
    QString floorChild;
    QString paintFloorChild;
    QString emptyWindow;
    QString emptyWindowLinked;  // the same, loading the game's other libraries
    QString sourceDir;
};

struct RealTimeRun {
    ChildResults game;
    ChildResults floor;
    ChildResults paintFloor;
    bool ok = false;
};

struct LatencyRun {
    ChildResults play;  // the scripted game's own figures
    KeyPresses game;
    KeyPresses paintFloor;
    bool keysOk = false;          // both windows were found and pressed
    bool soundServer = false;     // a server was there to play to and record
    bool gameOnServer = false;    // the game's sound went to it
    int cueCalls = 0;
    CueOnsets cues;
    ServerLatency server;
    bool ok = false;
};

struct PaintCost {
    double gameSceneMs = -1;
    double titleWindowMs = -1;
    int renders = 0;
};

struct VirtualGames {
    double medianWallMs = -1;
    int games = 0;
    int ticks = 0;              // timer ticks of one game, all timers
    double clock141Ms = -1;     // virtual time of the clock's 141st tick
    int lives = 0;
    int score = 0;
    bool sameEveryGame = true;  // every game ended alike
};

struct StartUp {
    double wallMs = -1;
    double peakMiB = -1;
    int runs = 0;
};

struct StartUps {
    StartUp kestrava;
    StartUp kestravaSilent;  // told by SDL_AUDIODRIVER to skip the sound card
    StartUp empty;
    StartUp furnished;  // the empty window with a menu bar and a line of text
    StartUp linked;     // the empty window loading SDL2_mixer, ALSA and libjpeg
};

// The scripted game, the timer floor and the paint floor, side by side, as
// three child processes.
RealTimeRun runRealTime(const Places& places, int seconds);
// The scripted game beside the paint floor again, on the sound server in
// PULSE_SERVER when there is one (its sink's monitor in PULSE_MONITOR is
// recorded): arrow keys into the game's window, then into the floor's, and
// every cue of the game heard.
LatencyRun runLatency(const Places& places, const Options& options);
// Painting the game scene and the title window into an image, in-process.
PaintCost measurePaint(const QString& sourceDir, int renders);
// Whole games on the virtual clock, in-process, with the bench's player.
VirtualGames playVirtualGames(const QString& sourceDir, int games);
// Start-up of the game as it is, of the game with SDL's silent driver
// chosen up front, of the empty window, of the empty window furnished with
// a menu bar and text and of the empty window loading the game's other
// libraries, in turn, each `runs` times.
StartUps measureStartUps(const Places& places, int runs);

}  // namespace kestrava::bench
