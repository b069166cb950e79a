// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The time source every game timer runs on.
//
// The real clock drives Qt precise timers; the virtual clock lets a test run
// a whole game in milliseconds: advance() fires every due tick in time order
// (ties in the order the timers were started), each handler seeing the
// virtual time of its own tick.

#include "framework/ScopedOverride.h"

#include <QtGlobal>
#include <functional>
#include <map>
#include <memory>

class QTimer;

namespace kestrava {

class Clock {
public:
    using Tick = std::function<void()>;
    virtual ~Clock() = default;
    // Calls `tick` every `intervalMs` (> 0) from now on, replacing any
    // schedule `owner` had. Ticks arrive on the user-interface thread.
    virtual void start(const void* owner, int intervalMs, Tick tick) = 0;
    // Ends `owner`'s schedule; a no-op when it has none.
    virtual void stop(const void* owner) = 0;
    // Milliseconds since the clock was made.
    virtual qint64 nowMs() const = 0;
};

// The clock timers use when none is given. Starts as the real clock.
Clock& currentClock();

// Makes `clock` the current clock for its lifetime.
class ScopedClock : public ScopedOverride<Clock*> {
public:
    explicit ScopedClock(Clock& clock);
};

class RealClock : public Clock {
public:
    RealClock();
    ~RealClock() override;
    void start(const void* owner, int intervalMs, Tick tick) override;
    void stop(const void* owner) override;
    qint64 nowMs() const override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

class VirtualClock : public Clock {
public:
    void start(const void* owner, int intervalMs, Tick tick) override;
    void stop(const void* owner) override;
    qint64 nowMs() const override { return now_; }

    // Moves time forward by `ms`, firing every tick that falls due on the way.
    void advance(qint64 ms);
    // Moves time to the next due tick and fires it (and any other tick due at
    // the same moment). Returns false when nothing is scheduled.
    bool fireNext();

private:
    struct Schedule {
        int intervalMs;
        qint64 due;
        quint64 order;
        std::shared_ptr<Tick> tick;
    };
    const Schedule* earliest() const;

    qint64 now_ = 0;
    quint64 nextOrder_ = 0;
    std::map<const void*, Schedule> schedules_;
};

}  // namespace kestrava
