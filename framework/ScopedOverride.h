// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A seam's replacement for a scope: sets `slot` to `value` and puts the
// previous value back when the object ends. Overrides of one slot nest and
// must end in the reverse order. Each seam (the clock, the error reporter,
// the file system, ...) derives its own named override from it.

#include <utility>

namespace kestrava {

template <typename T>
class ScopedOverride {
public:
    ScopedOverride(T& slot, T value)
        : slot_(slot), previous_(std::exchange(slot, std::move(value))) {}
    ~ScopedOverride() { slot_ = std::move(previous_); }
    ScopedOverride(const ScopedOverride&) = delete;
    ScopedOverride& operator=(const ScopedOverride&) = delete;

private:
    T& slot_;
    T previous_;
};

}  // namespace kestrava
