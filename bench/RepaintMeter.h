// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Measures what the game window repaints for what moved.
//
// The bench tells the meter before and after every change it causes or sees
// (a timer tick, a key press, a click). Across each change the meter
// compares the moving parts of the scene (vehicles, deck piece, labels,
// lamps, life icons, end panel) and allows, for each part that changed, the
// rectangle it left and the one it entered, all it paints (a label's ink
// included, which may reach past its box). A frame is everything painted
// between two changes; it is held against the area allowed since the frame
// before. A vehicle is also allowed the place one step on from where it was,
// which it enters and leaves within one tick when it falls there. Only changes between begin() and end() count.

#include "game/Unit2.h"

#include <QObject>
#include <QRegion>
#include <vector>

namespace kestrava::bench {

struct RepaintStats {
    int vehicleTicks = 0;        // in frames that only vehicle ticks caused
    int vehicleFrames = 0;
    double meanPxPerVehicleTick = 0;
    double allowedPxPerVehicleTick = 0;
    qint64 maxPxVehicleFrame = 0;
    int frames = 0;              // all frames, whatever caused them
    qint64 excessPx = 0;         // painted outside every allowed rectangle
    int wholeSceneFrames = 0;    // frames that painted the whole scene
};

class RepaintMeter : public QObject {
public:
    enum class Cause { VehicleTick, Other };

    explicit RepaintMeter(TForm2& game);

    void begin();
    void end() { counting_ = false; }
    void beforeChange();
    void afterChange(Cause cause);
    const RepaintStats& stats() const { return stats_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Part {
        const TItem* item;
        const TLabel* label;
        const QWidget* widget;
        int step;  // a vehicle's pixels per tick along x, else 0
    };
    struct PartState {
        QRect rect;
        bool visible;
        QString caption;
        bool operator==(const PartState&) const = default;
    };

    void trackParts();
    PartState stateOf(const Part& part) const;
    std::vector<PartState> snapshot() const;
    void closeFrame();

    TForm2& game_;
    TScene& scene_;
    std::vector<Part> parts_;
    std::vector<PartState> before_;
    bool counting_ = false;
    QRegion painted_;
    QRegion allowed_;
    int frameVehicleTicks_ = 0;
    int frameOtherChanges_ = 0;
    qint64 vehicleAllowedPx_ = 0;
    qint64 vehiclePaintedPx_ = 0;
    RepaintStats stats_;
};

// The number of pixels in a region.
qint64 areaOf(const QRegion& region);

}  // namespace kestrava::bench
