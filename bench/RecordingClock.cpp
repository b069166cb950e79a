// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/RecordingClock.h"

#include "bench/Results.h"

namespace kestrava::bench {

RecordingClock::RecordingClock(Clock& inner, Stamps stamps) : inner_(inner), stamps_(stamps) {}

qint64 RecordingClock::nowNs() const {
    return stamps_ == Stamps::Monotonic ? steadyNs() : inner_.nowMs() * 1'000'000;
}

void RecordingClock::start(const void* owner, int intervalMs, Tick tick) {
    auto& record = series_[owner];
    if (!record)
        record = std::make_unique<TickSeries>(intervalMs);
    record->started(nowNs());
    inner_.start(owner, intervalMs,
                 [this, owner, tick = std::move(tick)] { runTick(owner, tick); });
}

void RecordingClock::stop(const void* owner) {
    const auto found = series_.find(owner);
    if (found != series_.end())
        found->second->stopped(nowNs());
    inner_.stop(owner);
}

void RecordingClock::runTick(const void* owner, const Tick& tick) {
    // The stamp comes first: it is the moment the tick was delivered.
    series_[owner]->ticked(nowNs());
    if (beforeTick)
        beforeTick(owner);
    tick();
    if (afterTick)
        afterTick(owner);
}

const TickSeries* RecordingClock::series(const void* owner) const {
    const auto found = series_.find(owner);
    return found == series_.end() ? nullptr : found->second.get();
}

}  // namespace kestrava::bench
