// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A component timer: an interval in milliseconds and an enabled flag.
//
// It ticks only while enabled with an interval above 0; interval 0 leaves it
// enabled but silent (how a traffic light halts a lane). Setting the flag or
// the interval to the value it already has changes nothing, so the running
// period is not restarted; any other change restarts the period from now.
// Each tick runs OnTimer through dispatch(): an error is reported and the
// timer stays enabled and ticks again.

#include "framework/Clock.h"

#include <functional>

namespace kestrava {

class TTimer {
public:
    explicit TTimer(int intervalMs = 1000, bool enabled = true,
                    Clock& clock = currentClock());
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    int Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    void setInterval(int intervalMs);
    void setEnabled(bool enabled);
    // True while the timer actually produces ticks.
    bool ticking() const { return enabled_ && interval_ > 0 && handlerSet_; }

    // The handler; setting it after construction arms an enabled timer.
    void setOnTimer(std::function<void()> handler);

private:
    void reschedule();

    int interval_;
    bool enabled_;
    bool handlerSet_ = false;
    Clock& clock_;
    std::function<void()> onTimer_;
};

}  // namespace kestrava
