// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/BenchPlayer.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace kestrava::bench {

namespace {
// How far ahead of its gap, in pixels of its own way, a vehicle is met.
constexpr int LookaheadPx = 12;

// The positions at which a vehicle falls when the deck is elsewhere: its
// open fall range and its exact edge, as one closed interval.
struct Zone {
    int low;
    int high;
};

Zone fallZone(const rules::Vehicle& v) {
    const bool hasEdge = v.exactEdge != rules::NoEdge;
    if (v.step < 0)
        return {v.rangeLow + 1, hasEdge ? std::max(v.exactEdge, v.rangeHigh - 1) : v.rangeHigh - 1};
    return {hasEdge ? std::min(v.exactEdge, v.rangeLow + 1) : v.rangeLow + 1, v.rangeHigh - 1};
}
}  // namespace

bool BenchPlayer::nearsGap(const Lane& lane) const {
    if (!lane.timer->ticking() || !lane.vehicle->Visible())
        return false;
    const rules::Vehicle& v = *lane.rules;
    const Zone zone = fallZone(v);
    const int next = lane.vehicle->Left() + v.step;
    return v.step < 0 ? next >= zone.low && next <= zone.high + LookaheadPx
                      : next >= zone.low - LookaheadPx && next <= zone.high;
}

void BenchPlayer::act() {
    heldTop_.reset();
    if (game_.konechry->Visible())
        return;
    if (opening_) {
        opening_ = game_.runningScore == 0;
        heldTop_ = rules::BusLevel;
        moveDeckTo(rules::BusLevel);
        return;
    }
    Lane lanes[] = {
        {game_.bus01.get(), &game_.Timer1, &rules::Bus, game_.Image10.get(), false},
        {game_.tramvaj.get(), &game_.Timer4, &rules::Tram, game_.Image18.get(), false},
        {game_.kamion.get(), &game_.Timer3, &rules::Truck, game_.Image17.get(), false},
        {game_.motorka.get(), &game_.Timer5, &rules::Motorka, game_.Image19.get(), false},
    };
    const Lane* kept = nullptr;
    for (Lane& lane : lanes) {
        lane.nearing = nearsGap(lane);
        // The lane kept is one whose light is used up, else the first nearing.
        if (lane.nearing && (!kept || (kept->post->Enabled() && !lane.post->Enabled())))
            kept = &lane;
    }
    if (!kept)
        return;
    haltAllBut(lanes, int(std::size(lanes)), *kept);
    heldTop_ = kept->rules->level;
    moveDeckTo(kept->rules->level);
}

void BenchPlayer::holdDeck() {
    if (heldTop_ && !game_.konechry->Visible())
        moveDeckTo(*heldTop_);
}

void BenchPlayer::haltAllBut(Lane* lanes, int count, const Lane& kept) {
    for (int i = 0; i < count; ++i) {
        if (&lanes[i] != &kept && lanes[i].nearing && lanes[i].post->Enabled()) {
            clickItem(*lanes[i].post);
            ++lights_;
        }
    }
}

void BenchPlayer::moveDeckTo(int top) {
    while (game_.Ploska->Top() != top) {
        const int before = game_.Ploska->Top();
        pressKey(before > top ? Qt::Key_Up : Qt::Key_Down);
        if (game_.Ploska->Top() == before)
            return;  // the scene took no key: nothing more to do this turn
    }
}

void BenchPlayer::pressKey(int qtKey) {
    if (beforeInput)
        beforeInput();
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::NoModifier);
    QCoreApplication::sendEvent(&game_.client(), &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::NoModifier);
    QCoreApplication::sendEvent(&game_.client(), &release);
    ++keys_;
    if (afterInput)
        afterInput();
}

void BenchPlayer::clickItem(const TImage& item) {
    if (beforeInput)
        beforeInput();
    // Low on the post, clear of its lamps (which take clicks of their own).
    const QPointF at(item.Left() + item.Width() / 2, item.Top() + item.Height() - 6);
    const QPointF global = game_.client().mapToGlobal(at);
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, at, global, Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&game_.client(), &event);
    }
    if (afterInput)
        afterInput();
}

}  // namespace kestrava::bench
