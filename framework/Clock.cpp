// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Clock.h"

#include <QElapsedTimer>
#include <QTimer>

namespace kestrava {

namespace {
Clock* current = nullptr;
}

Clock& currentClock() {
    static RealClock real;
    return current ? *current : real;
}

ScopedClock::ScopedClock(Clock& clock) : ScopedOverride(current, &clock) {}

struct RealClock::Impl {
    QElapsedTimer elapsed;
    std::map<const void*, std::unique_ptr<QTimer>> timers;
};

RealClock::RealClock() : impl_(std::make_unique<Impl>()) { impl_->elapsed.start(); }
RealClock::~RealClock() = default;

namespace {
// A tick handler may stop its own timer: the QTimer is then still inside its
// timeout signal, so it is stopped now and deleted once control is back in
// the event loop.
void retire(std::unique_ptr<QTimer>& timer) {
    if (timer) {
        timer->stop();
        timer.release()->deleteLater();
    }
}
}  // namespace

void RealClock::start(const void* owner, int intervalMs, Tick tick) {
    auto& timer = impl_->timers[owner];
    retire(timer);
    timer = std::make_unique<QTimer>();
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(intervalMs);
    QObject::connect(timer.get(), &QTimer::timeout, std::move(tick));
    timer->start();
}

void RealClock::stop(const void* owner) {
    auto found = impl_->timers.find(owner);
    if (found == impl_->timers.end())
        return;
    retire(found->second);
    impl_->timers.erase(found);
}

qint64 RealClock::nowMs() const { return impl_->elapsed.elapsed(); }

void VirtualClock::start(const void* owner, int intervalMs, Tick tick) {
    schedules_[owner] = Schedule{intervalMs, now_ + intervalMs, nextOrder_++,
                                 std::make_shared<Tick>(std::move(tick))};
}

void VirtualClock::stop(const void* owner) { schedules_.erase(owner); }

const VirtualClock::Schedule* VirtualClock::earliest() const {
    const Schedule* best = nullptr;
    for (const auto& [owner, s] : schedules_) {
        if (!best || s.due < best->due || (s.due == best->due && s.order < best->order))
            best = &s;
    }
    return best;
}

bool VirtualClock::fireNext() {
    const Schedule* next = earliest();
    if (!next)
        return false;
    now_ = next->due;
    advance(0);
    return true;
}

void VirtualClock::advance(qint64 ms) {
    const qint64 target = now_ + ms;
    for (;;) {
        const Schedule* next = earliest();
        if (!next || next->due > target)
            break;
        now_ = next->due;
        // Reschedule before firing: the tick may stop or restart itself.
        auto tick = next->tick;
        auto& s = const_cast<Schedule&>(*next);
        s.due += s.intervalMs;
        s.order = nextOrder_++;
        (*tick)();
    }
    now_ = target;
}

}  // namespace kestrava
