// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Timer.h"

#include "framework/Errors.h"

namespace kestrava {

TTimer::TTimer(int intervalMs, bool enabled, Clock& clock)
    : interval_(intervalMs), enabled_(enabled), clock_(clock) {}

TTimer::~TTimer() { clock_.stop(this); }

void TTimer::setInterval(int intervalMs) {
    if (intervalMs == interval_)
        return;
    interval_ = intervalMs;
    reschedule();
}

void TTimer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    reschedule();
}

void TTimer::setOnTimer(std::function<void()> handler) {
    onTimer_ = std::move(handler);
    handlerSet_ = static_cast<bool>(onTimer_);
    reschedule();
}

void TTimer::reschedule() {
    if (!ticking()) {
        clock_.stop(this);
        return;
    }
    clock_.start(this, interval_, [this] { dispatch(onTimer_); });
}

}  // namespace kestrava
