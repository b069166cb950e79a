// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later
//
// kestrava_bench_paint_floor SECONDS
//
// The floor the game's CPU and key-to-pixel latency are measured against: a
// bare Qt Widgets window of the game scene's size doing the same visible
// work as a game in play, with none of the game's own machinery. Four
// black-transparent sprites of the vehicles' sizes run their lanes without
// pause, with the lanes' periods (precise timers), steps and spans (out of
// sight at either end, as in the game), over a full-window picture;
// two labels change once a second; a rectangle of the deck piece's size and
// colours moves 5 px on Up and Down. Each move repaints only the rectangles
// the item left and entered. The window is placed at the screen's top left,
// clear of the game's, which is centred.
// Prints its CPU and wall time as result lines (bench/Results.h) on stdout.

#include "bench/Results.h"
#include "game/GameRules.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr QSize SceneSize(487, 434);
constexpr int LabelPeriodMs = 1000;
constexpr int LabelFontPx = 20;

namespace rules = kestrava::rules;

struct Lane {
    QSize size;
    int top;
    const rules::Vehicle& vehicle;
    int runEnd;  // from here the sprite starts again at vehicle.restart
};

// The vehicles' sizes and lanes: bus, tram, truck, motorcycle.
const Lane Lanes[] = {{{99, 42}, 29, rules::Bus, rules::BusRunEnd},
                      {{148, 47}, 131, rules::Tram, rules::TramRunEnd},
                      {{124, 52}, 222, rules::Truck, rules::TruckRunEnd},
                      {{99, 42}, 319, rules::Motorka, rules::MotorkaRunEnd}};

// The deck piece's place, size and colour; it steps and wraps as the game's.
constexpr QRect PieceStart(217, rules::DeckTopAfterTopWrap, 55, 17);
const QColor PieceColour(0x80, 0x00, 0x00);

// A picture of the scene's size with some structure, so drawing it is not a
// flat fill.
QImage scenePicture() {
    QImage image(SceneSize, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, SceneSize.height());
    sky.setColorAt(0, QColor(0x20, 0x40, 0x80));
    sky.setColorAt(1, QColor(0x60, 0x90, 0x40));
    p.fillRect(image.rect(), sky);
    p.setPen(QColor(0x00, 0x80, 0xC0));
    for (const Lane& lane : Lanes)
        p.drawLine(0, lane.top + lane.size.height(), SceneSize.width(), lane.top + lane.size.height());
    return image;
}

// A body on black, black then made transparent, as the game's vehicle
// pictures are.
QImage spritePicture(QSize size, QColor body) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setBrush(body);
    p.setPen(body.darker());
    p.drawRoundedRect(QRect(QPoint(2, 2), size - QSize(5, 12)), 6, 6);
    p.setBrush(Qt::darkGray);
    p.drawEllipse(QRect(8, size.height() - 12, 10, 10));
    p.drawEllipse(QRect(size.width() - 20, size.height() - 12, 10, 10));
    p.end();
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0x00FFFFFF) == 0)
                row[x] = 0;
        }
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

class FloorScene : public QWidget {
public:
    FloorScene() : background_(scenePicture()) {
        setFixedSize(SceneSize);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
        const QColor bodies[] = {Qt::yellow, Qt::red, Qt::blue, Qt::green};
        for (size_t i = 0; i < std::size(Lanes); ++i) {
            const Lane& lane = Lanes[i];
            sprites_.push_back({spritePicture(lane.size, bodies[i]),
                                QRect(QPoint(lane.vehicle.restart, lane.top), lane.size)});
        }
    }

    void step(size_t sprite) {
        Sprite& s = sprites_[sprite];
        const Lane& lane = Lanes[sprite];
        const QRect before = s.place;
        s.place.translate(lane.vehicle.step, 0);
        const bool ended = lane.vehicle.step < 0 ? s.place.left() <= lane.runEnd
                                                 : s.place.left() >= lane.runEnd;
        if (ended)
            s.place.moveLeft(lane.vehicle.restart);
        // Off the window, a move repaints nothing, as in the game's scene.
        update(before.intersected(rect()));
        update(s.place.intersected(rect()));
    }

    void countDown(size_t label) {
        const QRect before = labelRect(label);
        --labels_[label];
        update(before);
        update(labelRect(label));
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter p(this);
        for (const QRect& r : event->region())
            p.drawImage(r.topLeft(), background_, r);
        const QRect dirty = event->rect();
        for (const Sprite& s : sprites_) {
            if (s.place.intersects(dirty))
                p.drawImage(s.place.topLeft(), s.picture);
        }
        QFont font = p.font();
        font.setPixelSize(LabelFontPx);
        p.setFont(font);
        p.setPen(Qt::yellow);
        for (size_t i = 0; i < std::size(labels_); ++i) {
            if (labelRect(i).intersects(dirty))
                p.drawText(labelRect(i), Qt::AlignLeft | Qt::AlignTop, QString::number(labels_[i]));
        }
        if (piece_.intersects(dirty))
            paintPiece(p);
    }

    void keyPressEvent(QKeyEvent* event) override {
        const int step = event->key() == Qt::Key_Up     ? -rules::DeckStep
                         : event->key() == Qt::Key_Down ? rules::DeckStep
                                                        : 0;
        if (step == 0)
            return QWidget::keyPressEvent(event);
        const QRect before = piece_;
        piece_.translate(0, step);
        if (piece_.top() > rules::DeckTopAfterTopWrap)
            piece_.moveTop(rules::DeckTopAfterBottomWrap);
        else if (piece_.top() < rules::DeckTopAfterBottomWrap)
            piece_.moveTop(rules::DeckTopAfterTopWrap);
        update(before);
        update(piece_);
    }

private:
    struct Sprite {
        QImage picture;
        QRect place;
    };

    // Wide enough for the label's longest text.
    static QRect labelRect(size_t label) {
        return QRect(label == 0 ? 80 : 400, 390, 80, LabelFontPx + 6);
    }

    // Filled, with a light top and left edge and a dark bottom and right one.
    void paintPiece(QPainter& p) const {
        const QRect edge = piece_.adjusted(0, 0, -1, -1);
        p.fillRect(piece_, PieceColour);
        p.setPen(PieceColour.lighter(170));
        p.drawLine(edge.topLeft(), edge.topRight());
        p.drawLine(edge.topLeft(), edge.bottomLeft());
        p.setPen(PieceColour.darker(250));
        p.drawLine(edge.bottomLeft(), edge.bottomRight());
        p.drawLine(edge.topRight(), edge.bottomRight());
    }

    QImage background_;
    std::vector<Sprite> sprites_;
    int labels_[2] = {140, 9999};
    QRect piece_ = PieceStart;
};

std::unique_ptr<QTimer> preciseTimer(int periodMs, const std::function<void()>& onTick) {
    auto timer = std::make_unique<QTimer>();
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(periodMs);
    QObject::connect(timer.get(), &QTimer::timeout, onTick);
    timer->start();
    return timer;
}

void put(const QString& line) { std::printf("%s\n", qPrintable(line)); }

}  // namespace

int main(int argc, char** argv) {
    using namespace kestrava::bench;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SECONDS\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    FloorScene scene;
    scene.move(0, 0);
    scene.show();
    const qint64 startNs = steadyNs();
    const double startCpu = processCpuSeconds();
    std::vector<std::unique_ptr<QTimer>> timers;
    for (size_t i = 0; i < std::size(Lanes); ++i)
        timers.push_back(preciseTimer(Lanes[i].vehicle.timerMs, [&scene, i] { scene.step(i); }));
    for (size_t i = 0; i < 2; ++i)
        timers.push_back(preciseTimer(LabelPeriodMs, [&scene, i] { scene.countDown(i); }));
    QTimer::singleShot(std::atoi(argv[1]) * 1000, &app, &QCoreApplication::quit);
    app.exec();
    put(valueLine(QStringLiteral("cpu_s"), processCpuSeconds() - startCpu));
    put(valueLine(QStringLiteral("wall_s"), double(steadyNs() - startNs) / 1e9));
    return 0;
}
