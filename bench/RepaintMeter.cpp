// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench/RepaintMeter.h"

#include "game/GameRules.h"

#include <QPaintEvent>

namespace kestrava::bench {

qint64 areaOf(const QRegion& region) {
    qint64 area = 0;
    for (const QRect& r : region)
        area += qint64(r.width()) * r.height();
    return area;
}

RepaintMeter::RepaintMeter(TForm2& game) : game_(game), scene_(game.client()) {
    trackParts();
    scene_.installEventFilter(this);
    for (QWidget* child : scene_.findChildren<QWidget*>())
        child->installEventFilter(this);
}

void RepaintMeter::trackParts() {
    TForm2& g = game_;
    const std::pair<const TItem*, int> vehicles[] = {{g.bus01.get(), rules::Bus.step},
                                                     {g.tramvaj.get(), rules::Tram.step},
                                                     {g.kamion.get(), rules::Truck.step},
                                                     {g.motorka.get(), rules::Motorka.step}};
    for (const auto& [vehicle, step] : vehicles)
        parts_.push_back({vehicle, nullptr, nullptr, step});
    const std::initializer_list<const TItem*> items = {
        g.red01.get(),  g.zel01.get(),  g.red02.get(),  g.zel02.get(),
        g.red03.get(),  g.zel03.get(),  g.red04.get(),  g.zel04.get(),
        g.life01.get(), g.life02.get(), g.life03.get(), g.life04.get()};
    for (const TItem* item : items)
        parts_.push_back({item, nullptr, nullptr, 0});
    for (const TLabel* label : std::initializer_list<const TLabel*>{g.Lscore.get(), g.hodiny.get()})
        parts_.push_back({label, label, nullptr, 0});
    for (const QWidget* widget : std::initializer_list<const QWidget*>{g.Ploska, g.konechry})
        parts_.push_back({nullptr, nullptr, widget, 0});
}

RepaintMeter::PartState RepaintMeter::stateOf(const Part& part) const {
    if (part.widget)
        return {part.widget->geometry(), !part.widget->isHidden(), QString()};
    return {part.item->paintedRect(), part.item->Visible(),
            part.label ? part.label->Caption() : QString()};
}

std::vector<RepaintMeter::PartState> RepaintMeter::snapshot() const {
    std::vector<PartState> states;
    states.reserve(parts_.size());
    for (const Part& part : parts_)
        states.push_back(stateOf(part));
    return states;
}

void RepaintMeter::begin() {
    // Whatever was painted before now belongs to no measured change.
    painted_ = QRegion();
    allowed_ = QRegion();
    frameVehicleTicks_ = frameOtherChanges_ = 0;
    counting_ = true;
}

void RepaintMeter::beforeChange() {
    if (!painted_.isEmpty())
        closeFrame();
    before_ = snapshot();
}

void RepaintMeter::afterChange(Cause cause) {
    if (!counting_ || before_.size() != parts_.size())
        return;
    const QRect sceneRect = scene_.rect();
    for (size_t i = 0; i < parts_.size(); ++i) {
        const PartState now = stateOf(parts_[i]);
        if (now == before_[i])
            continue;
        if (before_[i].visible) {
            allowed_ += before_[i].rect.intersected(sceneRect);
            // A vehicle that steps and then falls within one tick entered
            // its next place before it vanished.
            allowed_ += before_[i].rect.translated(parts_[i].step, 0).intersected(sceneRect);
        }
        if (now.visible)
            allowed_ += now.rect.intersected(sceneRect);
    }
    if (cause == Cause::VehicleTick)
        ++frameVehicleTicks_;
    else
        ++frameOtherChanges_;
}

void RepaintMeter::closeFrame() {
    if (counting_) {
        const qint64 area = areaOf(painted_);
        ++stats_.frames;
        stats_.excessPx += areaOf(painted_ - allowed_);
        if (painted_.boundingRect().contains(scene_.rect()))
            ++stats_.wholeSceneFrames;
        if (frameVehicleTicks_ > 0 && frameOtherChanges_ == 0) {
            ++stats_.vehicleFrames;
            stats_.vehicleTicks += frameVehicleTicks_;
            vehiclePaintedPx_ += area;
            vehicleAllowedPx_ += areaOf(allowed_);
            stats_.maxPxVehicleFrame = std::max(stats_.maxPxVehicleFrame, area);
            stats_.meanPxPerVehicleTick = double(vehiclePaintedPx_) / stats_.vehicleTicks;
            stats_.allowedPxPerVehicleTick = double(vehicleAllowedPx_) / stats_.vehicleTicks;
        }
    }
    painted_ = QRegion();
    allowed_ = QRegion();
    frameVehicleTicks_ = frameOtherChanges_ = 0;
}

bool RepaintMeter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) {
        auto* widget = static_cast<QWidget*>(watched);
        const QPoint offset = widget->mapTo(&scene_, QPoint(0, 0));
        painted_ += static_cast<QPaintEvent*>(event)->region().translated(offset);
    }
    return false;
}

}  // namespace kestrava::bench
