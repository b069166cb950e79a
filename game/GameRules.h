// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The numbers the rules of play are made of, in one place. Positions are the
// `Left` or `Top` of scene items in unscaled client pixels; the rules compare
// them for equality, so every number here is exact, not approximate.

namespace kestrava::rules {

// Lane levels: the `Top` the deck piece must have to fill a lane's gap.
inline constexpr int BusLevel = 70;
inline constexpr int TramLevel = 175;
inline constexpr int TruckLevel = 270;
inline constexpr int MotorkaLevel = 355;

// The deck piece moves this far per arrow key and jumps to these places when
// it runs past the top or bottom bar.
inline constexpr int DeckStep = 5;
inline constexpr int DeckTopAfterBottomWrap = 15;
inline constexpr int DeckTopAfterTopWrap = 405;

// One row per vehicle. A vehicle falls inside its open fall range (both ends
// excluded) when the deck piece is not at its level now, and at its exact edge
// when the piece was not at its level now or at the end of the lane's previous
// tick. NoEdge marks the bus, which has no exact edge.
struct Vehicle {
    int level;
    int step;          // pixels per tick, negative leftwards
    int timerMs;       // the lane timer's running interval
    int restart;       // where it goes after its run or a fall
    int exactEdge;     // NoEdge for none
    int rangeLow;      // open fall range: rangeLow < Left < rangeHigh
    int rangeHigh;
    int showFrom;      // shown again at this position or further on its way
    int scoreAt;       // position at which it scores
    int points;
};

inline constexpr int NoEdge = -1000000;

inline constexpr Vehicle Bus{BusLevel, -2, 35, 700, NoEdge, 126, 253, 700, 124, 50};
inline constexpr Vehicle Tram{TramLevel, -2, 40, 700, 270, 82, 270, 700, 82, 70};
inline constexpr Vehicle Truck{TruckLevel, +2, 57, -200, 104, 104, 265, -500, 266, 50};
inline constexpr Vehicle Motorka{MotorkaLevel, -1, 30, 500, 258, 136, 256, 500, 136, 50};

// Ends of the runs.
inline constexpr int BusRunEnd = -200;      // at or beyond: restart
inline constexpr int TramRunEnd = -200;     // at or beyond: stop, restart
inline constexpr int TruckRunEnd = 600;     // at or beyond: restart
inline constexpr int MotorkaRunEnd = -200;  // exactly: restart, stop

// Sound cues sound when a vehicle stands here.
inline constexpr int BusHornAt = 460;
inline constexpr int TruckHornAt = -80;
inline constexpr int MotorkaEngineAt = 460;

// The truck releases the motorcycle at every tick from here on.
inline constexpr int TruckReleasesMotorkaFrom = 300;

inline constexpr int StartLives = 5;
inline constexpr int LightUsesInAll = 8;
inline constexpr int UsesPerLight = 2;
inline constexpr int LightHaltMs = 5000;

inline constexpr int GameSeconds = 140;
inline constexpr int HeartbeatFrom = 10;  // timeLeft at or below, and not below 0

// End bonus at time-out, for the light uses and the lives left.
inline constexpr int BonusPerLightLeft = 60;
inline constexpr int BonusPerLifeLeft = 70;

}  // namespace kestrava::rules
