// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A player who watches every lane: each step it brings the deck piece to the
// lane whose vehicle is nearest its gap, and when two vehicles want the gap
// at once it halts one of them with its light, while uses remain. Good enough
// to reach the end of the clock with lives left.

#include "game/GameRules.h"
#include "game/Unit2.h"

namespace kestrava::testing {

class CarefulPlayer {
public:
    explicit CarefulPlayer(TForm2& game) : game_(game) {}

    // One look at the scene and the keys that follow from it.
    void act() {
        bool bus = approaching(*game_.bus01, game_.Timer1, rules::Bus);
        bool tram = approaching(*game_.tramvaj, game_.Timer4, rules::Tram);
        bool truck = approaching(*game_.kamion, game_.Timer3, rules::Truck);
        bool bike = approaching(*game_.motorka, game_.Timer5, rules::Motorka);
        if (bus + tram + truck + bike > 1)
            haltOne(tram, bike, truck);
        int target = game_.Ploska->Top();
        if (truck)
            target = rules::TruckLevel;
        if (bike)
            target = rules::MotorkaLevel;
        if (tram)
            target = rules::TramLevel;
        if (bus)
            target = rules::BusLevel;
        while (game_.Ploska->Top() != target)
            game_.FormKeyDown(game_.Ploska->Top() > target ? KeyUp : KeyDown);
    }

private:
    static constexpr int Lookahead = 12;

    bool approaching(const TImage& vehicle, const TTimer& timer,
                     const rules::Vehicle& v) const {
        if (!timer.ticking())
            return false;
        const int x = vehicle.Left();
        const int edge = v.exactEdge == rules::NoEdge ? v.rangeHigh : v.exactEdge;
        return v.step < 0 ? x > v.rangeLow - 2 && x < edge + Lookahead
                          : x > v.rangeLow - Lookahead && x < v.rangeHigh + 2;
    }

    void haltOne(bool& tram, bool& bike, bool& truck) {
        if (tram && game_.Image18->Enabled()) {
            game_.Image18Click();
            tram = false;
        } else if (bike && game_.Image19->Enabled()) {
            game_.Image19Click();
            bike = false;
        } else if (truck && game_.Image17->Enabled()) {
            game_.Image17Click();
            truck = false;
        }
    }

    TForm2& game_;
};

}  // namespace kestrava::testing
