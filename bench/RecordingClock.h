// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A clock that passes every schedule on to another clock and stamps every
// tick on the way, so the game's own timers can be measured without touching
// the game. Install it with ScopedClock before the windows are built: each
// TTimer keeps the clock that was current when it was made.
//
// Each timer is known by its owner (the TTimer's address); its record opens
// at its first start, with the interval of that start as its period.

#include "bench/TickSeries.h"
#include "framework/Clock.h"

#include <functional>
#include <map>
#include <memory>

namespace kestrava::bench {

class RecordingClock : public Clock {
public:
    // Where tick stamps come from: the monotonic clock (real play) or the
    // inner clock's milliseconds (a virtual clock).
    enum class Stamps { Monotonic, InnerClock };

    RecordingClock(Clock& inner, Stamps stamps);

    void start(const void* owner, int intervalMs, Tick tick) override;
    void stop(const void* owner) override;
    qint64 nowMs() const override { return inner_.nowMs(); }
    qint64 nowNs() const;

    // The record of `owner`; nullptr when it never started.
    const TickSeries* series(const void* owner) const;

    // Run around every tick of every timer, with the ticking timer's owner.
    std::function<void(const void*)> beforeTick;
    std::function<void(const void*)> afterTick;

private:
    void runTick(const void* owner, const Tick& tick);

    Clock& inner_;
    Stamps stamps_;
    std::map<const void*, std::unique_ptr<TickSeries>> series_;
};

}  // namespace kestrava::bench
