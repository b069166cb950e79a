// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The player of the bench's scripted game. It acts only when a vehicle has
// moved (the bench calls act() after each vehicle tick), so it adds no
// wake-ups of its own to the game it measures.
//
// The script: the deck piece is brought to the bus lane and held there until
// the first bus has crossed (the bus then releases the tram); from then on
// the player brings the piece to whichever lane's vehicle nears its gap, and
// when two vehicles want the gap at once it halts one with its light while
// uses remain. Keys and clicks go to the game window's scene as real input
// events, so they take the program's own input path.
//
// Keys may also come from outside (the bench's key-to-pixel probe presses
// arrow keys through the X server). So that they never cost the player a
// vehicle, the bench calls holdDeck() before each vehicle tick: the piece
// goes back to the level the player last chose while a vehicle nears its
// gap. Without keys from outside the piece is already there.

#include "framework/Timer.h"
#include "game/GameRules.h"
#include "game/Unit2.h"

#include <functional>
#include <optional>

namespace kestrava::bench {

class BenchPlayer {
public:
    explicit BenchPlayer(TForm2& game) : game_(game) {}

    void act();
    void holdDeck();

    // Run around every key press and click the player makes.
    std::function<void()> beforeInput;
    std::function<void()> afterInput;

    int keysPressed() const { return keys_; }
    int lightsUsed() const { return lights_; }

private:
    struct Lane {
        TImage* vehicle;
        const TTimer* timer;
        const rules::Vehicle* rules;
        TImage* post;
        bool nearing;
    };

    bool nearsGap(const Lane& lane) const;
    void haltAllBut(Lane* lanes, int count, const Lane& kept);
    void moveDeckTo(int top);
    void pressKey(int qtKey);
    void clickItem(const TImage& item);

    TForm2& game_;
    bool opening_ = true;
    std::optional<int> heldTop_;  // while a vehicle nears its gap
    int keys_ = 0;
    int lights_ = 0;
};

}  // namespace kestrava::bench
