// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Paints every picture of the game and writes them into one folder.
//
//   kestrava_paint_assets <output folder>
//
// The pictures are pixel art seen at 1:1. Those the game draws with black as
// the transparent colour (vehicles, wire masts, the light post, the life icon)
// are painted without antialiasing on a transparent canvas and then keyed:
// transparent pixels become #000000 and any painted pixel that came out pure
// black becomes #101010, so nothing painted disappears in the game. Scenery,
// plates and the About picture are painted with antialiasing. Texture noise
// comes from a fixed-seed generator, so every run writes the same pixels
// (text depends on the installed fonts: DejaVu Sans and Nimbus Sans).

#include "framework/Jpeg.h"

#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <vector>

namespace kestrava {
namespace {

// ---------------------------------------------------------------- basics

constexpr QRgb kKeyBlack = 0xFF000000;   // the game's transparent colour
constexpr QRgb kNearBlack = 0xFF101010;  // darkest colour a keyed picture may show
constexpr double kPi = std::numbers::pi;

QRgb rgb(int value) { return 0xFF000000u | static_cast<QRgb>(value); }

// Scales a colour's channels by `factor` (above 1 lightens), clamped.
QRgb shade(QRgb colour, double factor) {
    auto scale = [factor](int c) { return std::clamp(static_cast<int>(std::lround(c * factor)), 0, 255); };
    return qRgb(scale(qRed(colour)), scale(qGreen(colour)), scale(qBlue(colour)));
}

QRgb mix(QRgb a, QRgb b, double t) {
    auto lerp = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return qRgb(lerp(qRed(a), qRed(b)), lerp(qGreen(a), qGreen(b)), lerp(qBlue(a), qBlue(b)));
}

// A small linear congruential generator: the same sequence on every platform.
class Noise {
public:
    explicit Noise(quint32 seed) : state_(seed) {}
    int below(int bound) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<quint32>(bound));
    }
    double unit() { return below(1 << 20) / double(1 << 20); }

private:
    quint32 state_;
};

// Pixel-exact drawing on an image: no antialiasing, everything clipped.
class Pixels {
public:
    explicit Pixels(QImage& image) : image_(image) {}

    QImage& image() { return image_; }
    bool painted(int x, int y) const {
        return image_.rect().contains(x, y) && qAlpha(image_.pixel(x, y)) > 0;
    }
    void set(int x, int y, QRgb colour) {
        if (image_.rect().contains(x, y))
            image_.setPixel(x, y, colour | 0xFF000000u);
    }
    void fill(int x, int y, int width, int height, QRgb colour) {
        for (int row = y; row < y + height; ++row)
            for (int col = x; col < x + width; ++col)
                set(col, row, colour);
    }
    void clear(int x, int y) {
        if (image_.rect().contains(x, y))
            image_.setPixel(x, y, 0);
    }
    // A rectangle whose colour is scaled by `top` on its first row, `bottom`
    // on its last and in between linearly: rounded panels catching light.
    void fillShaded(int x, int y, int width, int height, QRgb colour, double top, double bottom) {
        for (int row = 0; row < height; ++row)
            fill(x, y + row, width, 1, shade(colour, top + (bottom - top) * row / std::max(1, height - 1)));
    }
    void hline(int x0, int x1, int y, QRgb colour) { fill(x0, y, x1 - x0 + 1, 1, colour); }
    void vline(int x, int y0, int y1, QRgb colour) { fill(x, y0, 1, y1 - y0 + 1, colour); }
    void line(int x0, int y0, int x1, int y1, QRgb colour);
    void thickLine(QPointF from, QPointF to, double width, QRgb colour);
    // Every pixel whose centre lies within `radius` of (cx, cy).
    void disc(double cx, double cy, double radius, QRgb colour);
    void polygon(const QPolygonF& points, QRgb colour);
    // Calls paint(x, y) for every pixel of `box`.
    void forEachIn(QRect box, const std::function<void(int, int)>& paint) {
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                paint(x, y);
    }

private:
    QImage& image_;
};

void Pixels::line(int x0, int y0, int x1, int y1, QRgb colour) {
    const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    while (true) {
        set(x0, y0, colour);
        if (x0 == x1 && y0 == y1)
            return;
        const int twice = 2 * error;
        if (twice >= dy) { error += dy; x0 += sx; }
        if (twice <= dx) { error += dx; y0 += sy; }
    }
}

void Pixels::thickLine(QPointF from, QPointF to, double width, QRgb colour) {
    const QPointF along = to - from;
    const double length = std::hypot(along.x(), along.y());
    const QPointF across = QPointF(-along.y(), along.x()) * (width / 2 / length);
    polygon(QPolygonF({from + across, to + across, to - across, from - across}), colour);
}

void Pixels::disc(double cx, double cy, double radius, QRgb colour) {
    const QRect box(int(std::floor(cx - radius)), int(std::floor(cy - radius)),
                    int(2 * radius) + 2, int(2 * radius) + 2);
    forEachIn(box, [&](int x, int y) {
        if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius)
            set(x, y, colour);
    });
}

void Pixels::polygon(const QPolygonF& points, QRgb colour) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor::fromRgb(colour | 0xFF000000u));
    painter.drawPolygon(points);
}

QImage transparentCanvas(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    return image;
}

// Turns a transparent canvas into the 24-bit keyed picture the game draws.
QImage keyed(const QImage& canvas) {
    QImage out(canvas.size(), QImage::Format_RGB888);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            const QRgb pixel = canvas.pixel(x, y);
            QRgb colour = qAlpha(pixel) < 128 ? kKeyBlack : (pixel | 0xFF000000u);
            if (qAlpha(pixel) >= 128 && (colour & 0xFFFFFF) == 0)
                colour = kNearBlack;
            out.setPixel(x, y, colour);
        }
    return out;
}

// One colour of a character picture: `key` stands for `colour`.
struct Ink {
    char key;
    QRgb colour;
};

// Paints a picture from rows of characters, one character a pixel; `legend`
// maps characters to colours and any other character leaves the pixel alone.
void paintRows(Pixels& pixels, int left, int top, const std::vector<const char*>& rows,
               const std::vector<Ink>& legend) {
    for (int y = 0; y < int(rows.size()); ++y)
        for (int x = 0; rows[y][x] != '\0'; ++x)
            for (const Ink& ink : legend)
                if (ink.key == rows[y][x])
                    pixels.set(left + x, top + y, ink.colour);
}

// ---------------------------------------------------------------- wheels

// A wheel seen from the side, as rings around its centre. Radii in pixels.
struct WheelStyle {
    double outer;       // tyre's outside
    double rim;         // inside of the tyre, outside of the rim
    double hub;         // hub cap
    int spokes;         // 0: a pressed-steel disc instead of spokes
    int nuts;           // wheel nuts around the hub of a disc wheel
    QRgb tyre, rimColour, disc, hubColour;
};

// Colour of one wheel pixel at offset (dx, dy) from the centre, or 0 where
// the wheel leaves the pixel empty (between spokes).
QRgb wheelPixel(const WheelStyle& s, double dx, double dy) {
    const double d = std::hypot(dx, dy);
    const double light = -(dx + dy) / std::max(d, 0.01) / std::numbers::sqrt2;  // 1 towards top left
    if (d > s.rim)
        return s.tyre;
    if (d > s.rim - 1.0)
        return shade(s.rimColour, 1.0 + 0.25 * light);
    if (d <= s.hub)
        return d < s.hub * 0.5 ? shade(s.hubColour, 1.25) : shade(s.hubColour, 1.0 + 0.2 * light);
    if (s.spokes == 0) {
        const bool nutRing = s.nuts > 0 && std::abs(d - (s.hub + 1.0)) < 0.6;
        const double angle = std::atan2(dy, dx);
        const bool nut = nutRing && std::fmod(angle + 4 * kPi, 2 * kPi / std::max(s.nuts, 1)) < 0.5;
        return nut ? shade(s.disc, 0.55) : shade(s.disc, 1.0 + 0.25 * light - 0.15 * (d / s.rim));
    }
    const double step = 2 * kPi / s.spokes;
    const double angle = std::atan2(dy, dx) + 4 * kPi;
    const double offset = std::fmod(angle, step);
    const double gap = std::min(offset, step - offset) * d;
    return gap < 0.6 ? s.disc : 0;
}

void paintWheel(Pixels& pixels, double cx, double cy, const WheelStyle& style) {
    const QRect box(int(cx - style.outer) - 1, int(cy - style.outer) - 1,
                    int(2 * style.outer) + 3, int(2 * style.outer) + 3);
    pixels.forEachIn(box, [&](int x, int y) {
        const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
        if (std::hypot(dx, dy) > style.outer)
            return;
        if (const QRgb colour = wheelPixel(style, dx, dy))
            pixels.set(x, y, colour);
    });
}

// A dark wheel arch cut into a body: the disc, down to row `lastRow` only.
void paintArch(Pixels& pixels, double cx, double cy, double radius, int lastRow, QRgb colour) {
    const QRect box(QPoint(int(cx - radius) - 1, int(cy - radius) - 1),
                    QPoint(int(cx + radius) + 1, lastRow));
    pixels.forEachIn(box, [&](int x, int y) {
        if (std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius)
            pixels.set(x, y, colour);
    });
}

const WheelStyle kRoadWheel{6.5, 3.9, 1.5, 0, 5, rgb(0x262626), rgb(0x8A8A8A), rgb(0xB4B4B4), rgb(0xD8D8D8)};
const WheelStyle kTruckWheel{7.5, 4.6, 1.6, 0, 6, rgb(0x242424), rgb(0x8A8A8A), rgb(0xA8A8A8), rgb(0xD0D0D0)};
const WheelStyle kTramWheel{4.5, 3.2, 1.2, 0, 0, rgb(0x3A3A3A), rgb(0x707070), rgb(0x8C8C8C), rgb(0xB0B0B0)};
const WheelStyle kSpokedWheel{9.6, 7.4, 1.6, 16, 0, rgb(0x202020), rgb(0xD8D8D8), rgb(0xB8B8B8), rgb(0xE8E8E8)};

// Glass darkening downwards, with one broad and one thin diagonal glint.
void paintGlass(Pixels& pixels, QRect box, QRgb glass) {
    pixels.forEachIn(box, [&](int x, int y) {
        const int diagonal = (x - box.left()) + (y - box.top());
        const bool glint = diagonal == 4 || diagonal == 5 || diagonal == 8;
        const double depth = 1.25 - 0.45 * (y - box.top()) / std::max(1, box.height());
        pixels.set(x, y, glint ? mix(glass, rgb(0xC8DCEC), 0.5) : shade(glass, depth));
    });
    pixels.hline(box.left(), box.right(), box.top(), shade(glass, 0.6));
}

// ---------------------------------------------------------------- bus

namespace bus {
constexpr int kWidth = 99, kHeight = 42;
constexpr int kLeft = 1, kRight = 97;          // body columns
constexpr int kRoof = 4, kBottom = 35;         // body rows
constexpr int kWindowTop = 8, kWindowBottom = 19;
constexpr double kWheelRow = 35.5;             // wheels end on row 41
constexpr double kWheelColumns[] = {25.5, 79.5};
const QRgb kGreen = rgb(0x2E9C3C), kGreenLight = rgb(0x5CC46A), kGreenDark = rgb(0x1C6A28);
const QRgb kRoofWhite = rgb(0xE4E4DC), kCream = rgb(0xEDE6C0), kGlass = rgb(0x1E3044);
}  // namespace bus

void paintBusBody(Pixels& p) {
    using namespace bus;
    p.fillShaded(kLeft, kRoof, kRight - kLeft + 1, kWindowBottom - kRoof + 2, kGreen, 1.15, 1.0);
    p.fillShaded(kLeft, kWindowBottom + 2, kRight - kLeft + 1, kBottom - kWindowBottom - 1, kGreen, 1.08, 0.8);
    p.fill(kLeft, kRoof, kRight - kLeft + 1, 3, kRoofWhite);        // white roof
    p.hline(kLeft, kRight, kRoof + 3, shade(kRoofWhite, 0.8));
    p.hline(kLeft, kRight, kWindowBottom + 2, kCream);             // belt line
    p.hline(kLeft, kRight, kWindowBottom + 3, kGreenLight);
    p.fill(kLeft, kBottom - 3, kRight - kLeft + 1, 4, kGreenDark);  // skirt
    // rounded corners: the front is lower and rounder than the back
    for (auto [x, y] : {std::pair{1, 4}, {2, 4}, {3, 4}, {1, 5}, {2, 5}, {1, 6},
                        {96, 4}, {97, 4}, {97, 5}, {1, 35}})
        p.clear(x, y);
    p.fill(55, 1, 24, 3, rgb(0xB8B8B4));                           // roof air unit
    p.hline(56, 77, 1, rgb(0xD8D8D4));
    for (int x = 58; x < 76; x += 3)
        p.vline(x, 2, 3, rgb(0x707070));
}

void paintBusWindows(Pixels& p) {
    using namespace bus;
    paintGlass(p, QRect(2, 8, 7, 19), kGlass);                 // windscreen
    p.fill(3, 5, 16, 2, rgb(0x202020));                        // destination display
    for (int x = 4; x < 17; x += 2)
        p.set(x, 5 + (x / 2) % 2, rgb(0xFFA020));
    for (int left : {31, 42, 64, 75, 86})
        paintGlass(p, QRect(left, kWindowTop, 9, kWindowBottom - kWindowTop + 1), kGlass);
    paintGlass(p, QRect(20, kWindowTop, 9, kWindowBottom - kWindowTop + 1), kGlass);  // behind the door
}

void paintBusDoor(Pixels& p, int left) {
    using namespace bus;
    const QRgb frame = rgb(0x3A3A3A);
    p.fill(left, kWindowTop - 1, 10, kBottom - kWindowTop - 1, frame);
    paintGlass(p, QRect(left + 1, kWindowTop, 4, 24), kGlass);
    paintGlass(p, QRect(left + 5, kWindowTop, 4, 24), kGlass);
    p.hline(left + 1, left + 8, kWindowTop + 12, frame);
}

void paintBusDetails(Pixels& p) {
    using namespace bus;
    p.fill(1, 28, 3, 3, rgb(0xFFF4B0));          // headlight
    p.set(1, 28, rgb(0xFFFFFF));
    p.fill(1, 31, 2, 1, rgb(0xFF9A20));          // indicator
    p.fill(0, 9, 1, 5, rgb(0x303030));           // mirror
    p.fill(0, 33, 6, 3, rgb(0x484848));          // front bumper
    p.hline(0, 5, 33, rgb(0x707070));
    p.fill(93, 33, 5, 3, rgb(0x484848));         // rear bumper
    p.fill(96, 24, 2, 6, rgb(0xE02020));         // tail lights
    p.fill(96, 30, 2, 2, rgb(0xFF9A20));
    for (int y = 24; y <= 30; y += 2)            // engine grille
        p.hline(88, 94, y, kGreenDark);
}

QImage paintBus() {
    QImage image = transparentCanvas(bus::kWidth, bus::kHeight);
    Pixels p(image);
    paintBusBody(p);
    paintBusWindows(p);
    paintBusDoor(p, 9);
    paintBusDoor(p, 53);
    paintBusDetails(p);
    for (double cx : bus::kWheelColumns) {
        paintArch(p, cx, bus::kWheelRow, 7.6, bus::kBottom, rgb(0x141414));
        paintWheel(p, cx, bus::kWheelRow, kRoadWheel);
    }
    return keyed(image);
}


// ---------------------------------------------------------------- tram

namespace tram {
constexpr int kWidth = 148, kHeight = 47;
constexpr int kRoof = 11, kBodyTop = 14, kBeltRow = 28, kBodyBottom = 38;
constexpr int kWindowTop = 16, kWindowBottom = 25;
constexpr double kWheelRow = 41.5;  // wheels end on row 45, on the road
const QRgb kRed = rgb(0xC41E24), kCream = rgb(0xF2EEDC), kRoofGrey = rgb(0xA4A4A0);
const QRgb kGlass = rgb(0x1E3044), kDoorFrame = rgb(0x404040);

struct Car {
    int left, right;
    std::vector<int> windows;  // left columns of the 9-pixel side windows
    std::vector<int> doors;    // left columns of the 10-pixel doors
    std::vector<int> bogies;   // centre columns
    int pantograph;            // centre column
};
const Car kFrontCar{1, 71, {28, 38, 48}, {17, 58}, {15, 55}, 40};
const Car kRearCar{76, 146, {78, 98, 108, 118}, {87, 128}, {92, 132}, 111};
}  // namespace tram

void paintTramShell(Pixels& p, const tram::Car& car) {
    using namespace tram;
    const int width = car.right - car.left + 1;
    p.fill(car.left, kRoof, width, kBodyTop - kRoof, kRoofGrey);
    p.hline(car.left, car.right, kRoof, shade(kRoofGrey, 1.2));
    p.fillShaded(car.left, kBodyTop, width, kBeltRow - kBodyTop, kCream, 1.02, 0.9);
    p.hline(car.left, car.right, kBodyTop, shade(kCream, 0.85));
    p.fillShaded(car.left, kBeltRow, width, kBodyBottom - kBeltRow + 1, kRed, 1.05, 0.78);
    p.hline(car.left, car.right, kBeltRow, shade(kRed, 1.3));
    p.hline(car.left, car.right, kBeltRow + 7, shade(kCream, 0.9));  // thin cream line
    p.hline(car.left, car.right, kBodyBottom, shade(kRed, 0.65));
    for (int y = kRoof; y < kRoof + 3; ++y) {                       // rounded roof ends
        const int cut = kRoof + 3 - y;
        for (int i = 0; i < cut; ++i) {
            p.clear(car.left + i, y);
            p.clear(car.right - i, y);
        }
    }
}

void paintTramOpenings(Pixels& p, const tram::Car& car) {
    using namespace tram;
    for (int left : car.windows)
        paintGlass(p, QRect(left, kWindowTop, 9, kWindowBottom - kWindowTop + 1), kGlass);
    for (int left : car.doors) {
        p.fill(left, kWindowTop - 1, 10, kBodyBottom - kWindowTop + 1, kDoorFrame);
        paintGlass(p, QRect(left + 1, kWindowTop, 4, 19), kGlass);
        paintGlass(p, QRect(left + 5, kWindowTop, 4, 19), kGlass);
        p.fill(left + 1, kWindowTop + 19, 8, 2, shade(kRed, 0.8));    // door kick panels
    }
}

// A diamond pantograph whose head rises to row 3, where it meets the wire.
void paintPantograph(Pixels& p, int cx) {
    const QRgb arm = rgb(0x505458), head = rgb(0x6C7074), insulator = rgb(0xE8E4D8);
    p.hline(cx - 7, cx + 7, 10, rgb(0x404040));
    p.fill(cx - 7, 9, 2, 1, insulator);
    p.fill(cx + 6, 9, 2, 1, insulator);
    p.line(cx - 5, 9, cx, 6, arm);       // lower arms
    p.line(cx + 5, 9, cx, 6, arm);
    p.line(cx, 6, cx - 4, 5, arm);       // upper arms fold towards the head
    p.line(cx, 6, cx + 4, 5, arm);
    p.line(cx - 4, 5, cx, 3, arm);
    p.line(cx + 4, 5, cx, 3, arm);
    p.hline(cx - 7, cx + 7, 3, head);
    p.hline(cx - 6, cx + 6, 4, shade(head, 1.3));
    p.set(cx - 8, 4, head);
    p.set(cx + 8, 4, head);
}

void paintBogie(Pixels& p, int cx) {
    using namespace tram;
    for (double wheel : {cx - 4.5, cx + 5.5})
        paintWheel(p, wheel, kWheelRow, kTramWheel);
    p.fill(cx - 8, 39, 17, 2, rgb(0x343434));
    p.hline(cx - 8, cx + 8, 39, rgb(0x5A5A5A));
    for (int box : {cx - 5, cx + 5})
        p.fill(box, 40, 2, 2, rgb(0x8A8A8A));
}

void paintTramEnds(Pixels& p) {
    using namespace tram;
    paintGlass(p, QRect(2, 15, 6, 12), kGlass);           // windscreen
    paintGlass(p, QRect(9, kWindowTop, 6, 10), kGlass);   // driver's window
    p.fill(3, 12, 9, 2, rgb(0x202020));                   // route number box
    p.fill(5, 12, 2, 1, rgb(0xFFB030));                   // line "1" on it
    p.set(6, 13, rgb(0xFFB030));
    p.fill(1, 31, 2, 3, rgb(0xFFF4B0));                   // headlight
    p.fill(1, 36, 4, 2, rgb(0x404040));                   // coupler cover
    paintGlass(p, QRect(140, 15, 6, 12), kGlass);         // rear window
    p.fill(145, 30, 2, 3, rgb(0xE02020));                 // tail light
    p.fill(72, kBodyTop + 1, 4, kBodyBottom - kBodyTop - 1, rgb(0x3A3A3A));  // bellows
    for (int y = kBodyTop + 1; y < kBodyBottom; y += 2)
        p.hline(72, 75, y, rgb(0x545454));
}

QImage paintTram() {
    using namespace tram;
    QImage image = transparentCanvas(kWidth, kHeight);
    Pixels p(image);
    for (const Car* car : {&kFrontCar, &kRearCar}) {
        paintTramShell(p, *car);
        paintTramOpenings(p, *car);
        paintPantograph(p, car->pantograph);
        for (int cx : car->bogies)
            paintBogie(p, cx);
    }
    paintTramEnds(p);
    return keyed(image);
}

// ---------------------------------------------------------------- truck

namespace truck {
constexpr int kWidth = 124, kHeight = 52;
constexpr int kTrailerLeft = 1, kTrailerRight = 88, kTrailerTop = 3, kTrailerBottom = 37;
constexpr int kCabLeft = 92, kCabRight = 121, kCabTop = 6, kCabBottom = 37;
constexpr double kWheelRow = 42.5;  // wheels end on row 49
constexpr double kTrailerWheels[] = {14.5, 30.5};
constexpr double kDriveWheel = 84.5, kFrontWheel = 108.5;
const QRgb kTarp = rgb(0x2F63A8), kCab = rgb(0xE8981C), kChassis = rgb(0x303030);
const QRgb kChrome = rgb(0xC8C8C8), kGlass = rgb(0x1E3044);
}  // namespace truck

void paintTrailer(Pixels& p) {
    using namespace truck;
    for (int y = kTrailerTop; y <= kTrailerBottom; ++y)
        for (int x = kTrailerLeft; x <= kTrailerRight; ++x) {
            const int fromStrap = (x - kTrailerLeft) % 9;
            const double bulge = 1.12 - 0.03 * std::abs(fromStrap - 4) - 0.25 * (y - kTrailerTop) / 34.0;
            p.set(x, y, fromStrap == 0 ? rgb(0x8AB0E0) : shade(kTarp, bulge));
        }
    p.fill(kTrailerLeft, kTrailerTop, kTrailerRight - kTrailerLeft + 1, 2, rgb(0xA8A8A8));
    p.hline(kTrailerLeft, kTrailerRight, kTrailerTop, rgb(0xD0D0D0));
    p.fill(kTrailerLeft, kTrailerBottom - 2, kTrailerRight - kTrailerLeft + 1, 3, rgb(0x8C8C8C));
    for (int x = kTrailerLeft; x <= kTrailerRight; x += 9)
        p.fill(x, kTrailerBottom - 4, 1, 2, rgb(0xE0E0E0));          // strap buckles
    p.fill(kTrailerLeft, 38, kTrailerRight - kTrailerLeft + 1, 3, kChassis);
    p.fill(1, 31, 2, 3, rgb(0xE02020));                             // tail lights
    p.set(1, 34, rgb(0xFF9A20));
    p.fill(1, 41, 8, 2, rgb(0x686868));                             // underrun bar
    p.fill(66, 41, 2, 6, rgb(0x707070));                            // landing leg
    p.fill(64, 47, 6, 1, rgb(0x707070));
}

void paintCab(Pixels& p) {
    using namespace truck;
    p.fillShaded(kCabLeft, kCabTop, kCabRight - kCabLeft + 1, kCabBottom - kCabTop + 1, kCab, 1.12, 0.85);
    p.hline(kCabLeft, kCabRight, kCabTop, shade(kCab, 1.25));
    p.fill(kCabLeft, kCabBottom - 9, kCabRight - kCabLeft + 1, 2, rgb(0xF4F0E0));  // white stripe
    p.fill(kCabLeft, kCabBottom - 7, kCabRight - kCabLeft + 1, 8, shade(kCab, 0.8));
    p.vline(kCabLeft, kCabTop, kCabBottom, shade(kCab, 0.7));
    paintGlass(p, QRect(94, 11, 5, 6), kGlass);                     // sleeper window
    p.vline(101, 8, 34, shade(kCab, 0.7));                         // door outline
    p.vline(117, 8, 34, shade(kCab, 0.7));
    paintGlass(p, QRect(103, 10, 13, 11), kGlass);                  // door window
    p.fill(103, 23, 3, 1, rgb(0x404040));                           // door handle
    for (int y = 8; y <= 21; ++y)                                   // raked windscreen edge
        p.hline(118 + (y - 8) / 5, 120, y, shade(kGlass, 1.4));
    p.fill(113, 7, 10, 1, rgb(0x383838));                           // sun visor
    p.clear(kCabRight, kCabTop);                                    // rounded roof corners
    p.clear(kCabLeft, kCabTop);
}

void paintCabFront(Pixels& p) {
    using namespace truck;
    p.fill(119, 22, 3, 7, rgb(0x2A2A2A));                           // grille
    for (int y = 23; y <= 27; y += 2)
        p.hline(119, 121, y, kChrome);
    p.fill(120, 30, 3, 2, rgb(0xFFF4B0));                           // headlight
    p.set(122, 29, rgb(0xFF9A20));
    p.fill(113, 33, 11, 5, rgb(0x3A3A3A));                          // bumper
    p.hline(113, 123, 33, rgb(0x6A6A6A));
    p.fill(122, 10, 2, 7, rgb(0x303030));                           // mirror
    p.fill(102, 35, 5, 2, rgb(0x2A2A2A));                           // step
    for (int x : {103, 110}) {                                      // air horns on the roof
        p.fill(x, 3, 4, 1, kChrome);
        p.fill(x, 4, 4, 1, shade(kChrome, 0.7));
        p.fill(x + 4, 2, 2, 4, kChrome);
        p.set(x + 1, 5, rgb(0x404040));
    }
    p.fill(89, 1, 2, 34, kChrome);                                  // exhaust stack
    p.vline(89, 1, 34, rgb(0xF0F0F0));
    p.fill(88, 0, 4, 2, rgb(0x707070));
    p.fill(76, 38, 44, 3, kChassis);                                // tractor frame
    p.fill(93, 37, 7, 5, rgb(0xB8B8B8));                            // fuel tank
    p.hline(93, 99, 37, rgb(0xE0E0E0));
    for (int strap : {95, 98})
        p.vline(strap, 37, 41, rgb(0x808080));
}

QImage paintTruck() {
    using namespace truck;
    QImage image = transparentCanvas(kWidth, kHeight);
    Pixels p(image);
    paintTrailer(p);
    paintCab(p);
    paintCabFront(p);
    paintArch(p, kFrontWheel, kWheelRow, 8.7, kCabBottom, rgb(0x141414));
    for (double cx : kTrailerWheels)
        paintArch(p, cx, kWheelRow, 8.7, 40, rgb(0x141414));
    for (double cx : {kTrailerWheels[0], kTrailerWheels[1], kDriveWheel, kFrontWheel})
        paintWheel(p, cx, kWheelRow, kTruckWheel);
    return keyed(image);
}

// ---------------------------------------------------------------- motorcycle

namespace moto {
constexpr int kWidth = 99, kHeight = 42;
constexpr double kWheelRow = 28.5;  // wheels end on row 37, on the road
constexpr double kFrontWheel = 17.5, kRearWheel = 75.5;
const QRgb kFrame = rgb(0x2A2A30), kPaint = rgb(0xB81E22), kChrome = rgb(0xD4D4D4);
const QRgb kLeather = rgb(0x6E4222), kCloth = rgb(0x2C3A5A), kSkin = rgb(0xE8B48C);
}  // namespace moto

// A band of a ring between two radii and two angles (radians, y downwards).
void paintArc(Pixels& p, double cx, double cy, double inner, double outer, double from, double to,
              QRgb colour) {
    const QRect box(int(cx - outer) - 1, int(cy - outer) - 1, int(2 * outer) + 3, int(2 * outer) + 3);
    p.forEachIn(box, [&](int x, int y) {
        const double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::hypot(dx, dy);
        const double angle = std::atan2(dy, dx);
        if (d >= inner && d <= outer && angle >= from && angle <= to)
            p.set(x, y, d > outer - 1 ? shade(colour, 1.3) : colour);
    });
}

void paintMotorcycleFrame(Pixels& p) {
    using namespace moto;
    const QPointF head(30, 11), seat(62, 15), crank(46, 31), rear(kRearWheel, kWheelRow);
    p.thickLine(head, seat, 2, kFrame);                        // top tube
    p.thickLine(head, crank, 2.2, kFrame);                     // down tube
    p.thickLine(seat, rear, 1.6, kFrame);                      // seat stay
    p.thickLine(crank, rear, 1.8, kFrame);                     // chain stay
    p.thickLine(QPointF(57, 15), crank, 1.6, kFrame);          // seat tube
    p.thickLine(QPointF(29, 12), QPointF(kFrontWheel, kWheelRow), 1.6, kChrome);  // girder fork
    p.thickLine(QPointF(32, 13), QPointF(kFrontWheel + 2, kWheelRow), 1.2, kFrame);
    p.thickLine(QPointF(30, 10), QPointF(35, 6.5), 1.4, kChrome);  // swept-back handlebar
    p.thickLine(QPointF(35, 6.5), QPointF(42, 8), 1.4, kChrome);
}

void paintEngine(Pixels& p) {
    using namespace moto;
    const QRgb alloy = rgb(0xA8A8A0);
    for (int y = 17; y <= 25; ++y)                              // finned cylinder
        p.hline(y % 2 ? 42 : 41, y % 2 ? 50 : 51, y, y % 2 ? rgb(0x9A9A9A) : rgb(0x5E5E5E));
    p.fill(44, 16, 5, 1, rgb(0x7A7A7A));                        // cylinder head
    p.disc(46.5, 28.0, 5.0, alloy);                             // round crankcase
    p.disc(45.8, 27.3, 3.0, shade(alloy, 1.2));
    p.fill(52, 24, 7, 6, shade(alloy, 0.8));                    // gearbox
    p.hline(52, 58, 24, alloy);
    p.disc(56.5, 27.5, 1.6, rgb(0x505050));                     // gearbox sprocket
    p.thickLine(QPointF(42, 22), QPointF(38, 33), 1.6, kChrome);  // exhaust pipe
    p.thickLine(QPointF(38, 33.2), QPointF(80, 33.2), 1.6, kChrome);
    p.polygon(QPolygonF({{78, 31}, {92, 31.5}, {94, 33}, {92, 35}, {78, 35}}), kChrome);
    p.hline(78, 91, 32, rgb(0xF4F4F4));
    p.hline(78, 91, 34, rgb(0x9A9A9A));
    p.fill(47, 32, 5, 1, rgb(0x404040));                        // footrest
}

void paintTankAndSaddle(Pixels& p) {
    using namespace moto;
    p.polygon(QPolygonF({{31, 11}, {36, 9}, {52, 9}, {56, 11}, {55, 16}, {33, 16}}), kPaint);
    p.hline(36, 51, 9, shade(kPaint, 1.45));
    p.hline(34, 53, 10, shade(kPaint, 1.2));
    p.hline(34, 54, 15, shade(kPaint, 0.7));
    p.hline(37, 50, 13, rgb(0xF0E6C8));                         // pinstripe
    p.fill(42, 11, 4, 2, kChrome);                              // badge
    p.fill(56, 12, 12, 2, rgb(0x5A3418));                        // sprung saddle
    p.hline(57, 67, 12, rgb(0x8A5A30));
    for (int spring : {59, 65})
        p.vline(spring, 14, 15, kChrome);
}

void paintMudguardsAndLamps(Pixels& p) {
    using namespace moto;
    paintArc(p, kFrontWheel, kWheelRow, 10.2, 11.6, -2.7, -0.5, kPaint);   // mudguards
    paintArc(p, kRearWheel, kWheelRow, 10.2, 11.6, -2.5, 0.35, kPaint);
    p.hline(66, 86, 16, kChrome);                                           // luggage rack
    p.hline(67, 85, 17, shade(kChrome, 0.6));
    p.line(84, 17, 86, 20, kChrome);
    p.fill(86, 15, 3, 3, rgb(0xE02020));                                    // tail lamp
    p.set(86, 15, rgb(0xFF8080));
    p.disc(25.5, 11.5, 3.2, kChrome);                                       // headlamp
    p.fill(22, 10, 2, 4, rgb(0xFFF4B0));
    p.set(22, 10, rgb(0xFFFFFF));
}

void paintRider(Pixels& p) {
    using namespace moto;
    const QRgb boot = rgb(0x3A2414), cap = rgb(0x5A3418);
    p.thickLine(QPointF(62, 12.5), QPointF(50, 17), 4.2, kCloth);       // thigh
    p.thickLine(QPointF(50, 16), QPointF(50.5, 28), 3.4, kCloth);       // shin
    p.thickLine(QPointF(61, 11), QPointF(51, 16), 1, shade(kCloth, 1.4));
    p.fill(47, 27, 6, 3, boot);
    p.hline(47, 52, 27, shade(boot, 1.5));
    p.polygon(QPolygonF({{53, 6}, {59, 5}, {66, 12}, {65, 15}, {57, 15}}), kLeather);  // torso
    p.line(54, 6, 58, 6, shade(kLeather, 1.4));
    p.line(59, 6, 65, 12, shade(kLeather, 1.3));
    p.line(56, 13, 64, 13, shade(kLeather, 0.75));                      // belt
    p.thickLine(QPointF(55, 8), QPointF(48, 11), 2.6, shade(kLeather, 0.85));  // arm
    p.thickLine(QPointF(48, 11), QPointF(42, 8.5), 2.4, shade(kLeather, 0.85));
    p.fill(40, 7, 3, 3, boot);                                           // glove on the grip
    p.disc(53.5, 3.8, 3.7, kSkin);                                       // head
    p.fill(51, 0, 7, 2, cap);                                            // leather cap
    p.fill(54, 2, 4, 3, cap);
    p.set(57, 5, cap);
    p.fill(50, 2, 4, 2, rgb(0x8AB8D0));                                  // goggles
    p.set(50, 2, rgb(0xD8F0FF));
    p.set(51, 2, rgb(0x3A2A20));
    p.set(49, 5, kSkin);                                                 // nose
    p.fill(57, 6, 3, 2, rgb(0xF0EADC));                                  // scarf
    p.line(60, 6, 68, 5, rgb(0xF0EADC));
    p.line(60, 7, 67, 7, rgb(0xF0EADC));
    p.line(63, 6, 68, 5, rgb(0xC83030));
}

QImage paintMotorcycle() {
    using namespace moto;
    QImage image = transparentCanvas(kWidth, kHeight);
    Pixels p(image);
    paintWheel(p, kFrontWheel, kWheelRow, kSpokedWheel);
    paintWheel(p, kRearWheel, kWheelRow, kSpokedWheel);
    paintMotorcycleFrame(p);
    paintEngine(p);
    paintTankAndSaddle(p);
    paintMudguardsAndLamps(p);
    paintRider(p);
    return keyed(image);
}


// ---------------------------------------------------------------- wire mast

namespace mast {
constexpr int kWidth = 51, kHeight = 46;
constexpr int kPoleTop = 9, kPoleBottom = 41, kCentre = 25;
constexpr int kWireTop = 2, kWireBottom = 6;  // where the game's wire passes
const QRgb kSteel = rgb(0x8C9094), kConcrete = rgb(0x9A9A94), kInsulator = rgb(0x8A4A26);
}  // namespace mast

void paintMastPole(Pixels& p) {
    using namespace mast;
    for (int y = kPoleTop; y <= kPoleBottom; ++y) {
        const int half = 2 + (y - kPoleTop) / 16;                  // the pole widens downwards
        p.hline(kCentre - half, kCentre + half, y, kSteel);
        p.set(kCentre - half, y, shade(kSteel, 1.3));
        p.set(kCentre - half + 1, y, shade(kSteel, 1.15));
        p.set(kCentre + half, y, shade(kSteel, 0.7));
    }
    for (int collar : {18, 30}) {
        p.hline(kCentre - 4, kCentre + 4, collar, shade(kSteel, 1.2));
        p.hline(kCentre - 4, kCentre + 4, collar + 1, shade(kSteel, 0.75));
    }
    p.fill(kCentre - 6, 42, 13, 4, kConcrete);                      // footing
    p.hline(kCentre - 6, kCentre + 6, 42, shade(kConcrete, 1.25));
    p.vline(kCentre + 6, 43, 45, shade(kConcrete, 0.7));
    for (int bolt : {kCentre - 4, kCentre + 4})
        p.set(bolt, 43, rgb(0x505050));
}

// The forked top: two arms rising past the wire, a clamp gripping it between
// them, and an insulator on each arm's tip.
void paintMastFork(Pixels& p) {
    using namespace mast;
    p.thickLine(QPointF(kCentre + 0.5, kPoleTop + 1), QPointF(15, 1.5), 2.2, kSteel);
    p.thickLine(QPointF(kCentre + 0.5, kPoleTop + 1), QPointF(36, 1.5), 2.2, shade(kSteel, 0.8));
    p.thickLine(QPointF(kCentre - 1, kPoleTop), QPointF(15, 0.8), 0.8, shade(kSteel, 1.3));
    p.fill(kCentre - 3, kPoleTop - 1, 7, 2, shade(kSteel, 0.9));    // fork crown
    for (int x : {13, 34}) {
        p.fill(x, 0, 3, 2, kInsulator);
        p.set(x, 0, shade(kInsulator, 1.4));
    }
    p.fill(kCentre - 2, kWireTop - 1, 5, 1, rgb(0x505458));         // clamp over the wire
    p.fill(kCentre - 1, kWireBottom + 1, 3, 2, rgb(0x505458));       // and its seat below
}

QImage paintMast() {
    QImage image = transparentCanvas(mast::kWidth, mast::kHeight);
    Pixels p(image);
    paintMastPole(p);
    paintMastFork(p);
    return keyed(image);
}

// ---------------------------------------------------------------- light post

namespace post {
constexpr int kWidth = 16, kHeight = 39;
// The game lays its 6 x 6 lamps over the red and green sockets.
constexpr QPoint kRedSocket{5, 3}, kAmberSocket{5, 19}, kGreenSocket{5, 11};
const QRgb kHousing = rgb(0x2A2C30), kPole = rgb(0x8C8C8C);
}  // namespace post

// A 6 x 6 round socket the shape of the game's lamps, with a glint on its glass.
void paintSocket(Pixels& p, QPoint at, QRgb glass) {
    for (int y = 0; y < 6; ++y) {
        const int inset = (y == 0 || y == 5) ? 1 : 0;
        p.hline(at.x() + inset, at.x() + 5 - inset, at.y() + y, glass);
    }
    p.set(at.x() + 1, at.y() + 1, shade(glass, 1.8));
    p.set(at.x() + 2, at.y() + 1, shade(glass, 1.4));
}

QImage paintPost() {
    using namespace post;
    QImage image = transparentCanvas(kWidth, kHeight);
    Pixels p(image);
    p.fill(3, 1, 10, 26, kHousing);
    p.hline(4, 11, 1, shade(kHousing, 1.9));
    p.vline(3, 2, 25, shade(kHousing, 1.9));
    p.vline(12, 2, 25, shade(kHousing, 0.6));
    p.hline(4, 11, 26, shade(kHousing, 0.6));
    for (auto [x, y] : {std::pair{3, 1}, {12, 1}, {3, 26}, {12, 26}})  // rounded corners
        p.clear(x, y);
    for (int visor : {kRedSocket.y(), kGreenSocket.y(), kAmberSocket.y()})
        p.hline(4, 11, visor - 1, shade(kHousing, 0.5));
    paintSocket(p, kRedSocket, rgb(0x5A1010));
    paintSocket(p, kGreenSocket, rgb(0x0E4A1E));
    paintSocket(p, kAmberSocket, rgb(0x5A4410));
    p.fill(6, 27, 4, 10, kPole);
    p.vline(6, 27, 36, shade(kPole, 1.35));
    p.vline(9, 27, 36, shade(kPole, 0.65));
    p.fill(4, 37, 8, 2, shade(kPole, 0.85));
    p.hline(4, 11, 37, shade(kPole, 1.2));
    return keyed(image);
}

// ---------------------------------------------------------------- life icon

QImage paintLife() {
    QImage image = transparentCanvas(19, 16);
    Pixels p(image);
    const QRgb pink = rgb(0xFF7EBE);
    const QPointF centre(10.0, 8.0);
    p.forEachIn(image.rect(), [&](int x, int y) {
        const double dx = x + 0.5 - centre.x(), dy = y + 0.5 - centre.y();
        if (std::hypot(dx, dy) > 8.0)
            return;
        const double light = -(dx + dy) / 8.0;                         // towards top left
        p.set(x, y, shade(pink, 1.0 + 0.18 * light));
    });
    p.forEachIn(image.rect(), [&](int x, int y) {                       // outline
        if (!p.painted(x, y))
            return;
        if (!p.painted(x - 1, y) || !p.painted(x + 1, y) || !p.painted(x, y - 1) || !p.painted(x, y + 1))
            p.set(x, y, rgb(0xA0205E));
    });
    paintRows(p, 2, 0,
              {"", "", "   ww", "  ww", "    kk    kk", "    kk    kk", "    kk    kk", "",
               "  cc        cc", "  k          k", "   k        k", "    kkkkkkkk", "     krrrrk"},
              {{'w', rgb(0xFFE4F2)}, {'k', rgb(0x3A0C24)}, {'c', rgb(0xFF4E96)}, {'r', rgb(0xD03050)}});
    return keyed(image);
}


// ---------------------------------------------------------------- road deck

namespace deck {
constexpr int kWidth = 214, kHeight = 29;
constexpr int kWebTop = 7, kWebBottom = 22;   // rows of the truss openings
constexpr double kPanel = 13.0, kPanelStart = 3.0, kMemberHalfWidth = 1.6;
const QRgb kConcrete = rgb(0x9C9C98), kSteel = rgb(0x868A8E), kOpening = rgb(0x08121E);
}  // namespace deck

// Signed horizontal distance from (x, row fraction t) to the nearest diagonal
// of a Warren truss whose diagonals zigzag between the chords every panel.
double trussDistance(double x, double t) {
    using namespace deck;
    double best = 1e9;
    for (int k = -1; k * kPanel < kWidth + kPanel; ++k) {
        const double start = kPanelStart + k * kPanel;
        const double diagonal = (k % 2 == 0) ? start + (1 - t) * kPanel : start + t * kPanel;
        if (std::abs(x - diagonal) < std::abs(best))
            best = x - diagonal;
    }
    return best;
}

void paintTrussWeb(Pixels& p) {
    using namespace deck;
    for (int y = kWebTop; y <= kWebBottom; ++y) {
        const double t = (y + 0.5 - kWebTop) / (kWebBottom - kWebTop + 1);
        for (int x = 0; x < kWidth; ++x) {
            const double d = trussDistance(x + 0.5, t);
            QRgb colour = shade(kOpening, 1.0 + 0.8 * t);
            if (std::abs(d) < kMemberHalfWidth)
                colour = d < -0.6 ? shade(kSteel, 1.3) : d > 0.6 ? shade(kSteel, 0.7) : kSteel;
            p.set(x, y, colour);
        }
    }
}

QImage paintDeck() {
    using namespace deck;
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    Pixels p(image);
    Noise noise(7);
    for (int y = 0; y <= 3; ++y)                                   // concrete slab
        for (int x = 0; x < kWidth; ++x)
            p.set(x, y, shade(kConcrete, 0.94 + 0.12 * noise.unit()));
    p.hline(0, kWidth - 1, 0, rgb(0xD0D0CC));
    p.hline(0, kWidth - 1, 4, rgb(0x5E5E5A));
    p.hline(0, kWidth - 1, 5, shade(kSteel, 1.25));                // top chord
    p.hline(0, kWidth - 1, 6, kSteel);
    paintTrussWeb(p);
    p.hline(0, kWidth - 1, 23, shade(kSteel, 1.25));               // bottom chord
    p.hline(0, kWidth - 1, 24, kSteel);
    p.hline(0, kWidth - 1, 25, shade(kSteel, 0.75));
    for (int y = 26; y < kHeight; ++y)                             // shadow under the chord
        p.hline(0, kWidth - 1, y, shade(rgb(0x44464A), 1.0 - 0.2 * (y - 26)));
    for (double x = kPanelStart; x < kWidth; x += kPanel) {        // gusset plates with rivets
        const int row = (int(std::lround((x - kPanelStart) / kPanel)) % 2 == 0) ? 23 : 5;
        p.fill(int(x) - 2, row, 5, 2, shade(kSteel, 1.1));
        for (int rivet : {int(x) - 1, int(x) + 1})
            p.set(rivet, row, rgb(0xD8DCE0));
    }
    return image;
}

// ---------------------------------------------------------------- background

namespace scenery {
constexpr int kWidth = 354, kHeight = 230;
constexpr int kDeckTop = 126, kDeckBottom = 136;     // the suspended deck
constexpr int kPylonLeft = 252, kPylonRight = 272;
constexpr int kWaterTop = 206;
// Each stay runs from an anchor on the pylon to the deck; the highest anchor
// holds the farthest point, so the stays fan out.
constexpr int kStayCount = 6;
constexpr double kLeftStayEnds[kStayCount] = {92, 120, 148, 176, 204, 232};
constexpr double kRightStayEnds[kStayCount] = {372, 350, 328, 306, 290, 278};
const QColor kStay(0xC8, 0x28, 0x28), kConcrete(0xA0, 0xA0, 0x9A);
}  // namespace scenery

void paintNightSky(QPainter& painter) {
    using namespace scenery;
    QLinearGradient sky(0, 0, 0, kWaterTop);
    sky.setColorAt(0, QColor(0x04, 0x08, 0x18));
    sky.setColorAt(1, QColor(0x12, 0x20, 0x3C));
    painter.fillRect(QRect(0, 0, kWidth, kWaterTop), sky);
    Noise noise(11);
    for (int i = 0; i < 40; ++i) {
        const int grey = 90 + noise.below(120);
        painter.fillRect(QRect(noise.below(kWidth), noise.below(100), 1, 1), QColor(grey, grey, grey + 20));
    }
    QRadialGradient glow(QPointF(98, 16), 14);
    glow.setColorAt(0, QColor(0xF0, 0xE8, 0xC0, 120));
    glow.setColorAt(1, QColor(0xF0, 0xE8, 0xC0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(98, 16), 14, 14);
    painter.setBrush(QColor(0xF2, 0xEC, 0xD0));
    painter.drawEllipse(QPointF(98, 16), 6, 6);
    painter.setBrush(QColor(0xD8, 0xD0, 0xB0));
    painter.drawEllipse(QPointF(96, 15), 1.5, 1.5);
}

void paintWater(QPainter& painter) {
    using namespace scenery;
    QLinearGradient water(0, kWaterTop, 0, kHeight);
    water.setColorAt(0, QColor(0x10, 0x26, 0x48));
    water.setColorAt(1, QColor(0x06, 0x12, 0x26));
    painter.fillRect(QRect(0, kWaterTop, kWidth, kHeight - kWaterTop), water);
    Noise noise(5);
    for (int i = 0; i < 60; ++i) {
        const int y = kWaterTop + 2 + noise.below(kHeight - kWaterTop - 2);
        const int x = noise.below(kWidth);
        painter.fillRect(QRect(x, y, 3 + noise.below(10), 1), QColor(0x50, 0x70, 0xA0, 90 + noise.below(80)));
    }
    painter.fillRect(QRect(kPylonLeft + 2, kWaterTop + 3, 16, 1), QColor(0xA0, 0xA0, 0x9A, 90));
}

void paintPylon(QPainter& painter) {
    using namespace scenery;
    const int width = kPylonRight - kPylonLeft;
    QLinearGradient face(kPylonLeft, 0, kPylonRight, 0);
    face.setColorAt(0, kConcrete.lighter(115));
    face.setColorAt(0.55, kConcrete);
    face.setColorAt(0.56, kConcrete.darker(150));
    face.setColorAt(1, kConcrete.darker(175));
    QPainterPath shape;
    shape.moveTo(kPylonLeft + width / 2.0, 0);
    shape.lineTo(kPylonRight, 8);
    shape.lineTo(kPylonRight + 3, kWaterTop);
    shape.lineTo(kPylonLeft - 3, kWaterTop);
    shape.lineTo(kPylonLeft, 8);
    shape.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.fillPath(shape, face);
    for (int y = 10; y < 44; y += 6)                               // stay anchor plates
        painter.fillRect(QRect(kPylonLeft + 3, y, width - 6, 2), QColor(0x60, 0x30, 0x30));
    painter.fillRect(QRect(kPylonLeft - 8, kWaterTop - 6, width + 16, 8), kConcrete.darker(130));
    painter.fillRect(QRect(kPylonLeft - 8, kWaterTop - 6, width + 16, 2), kConcrete);
}

void paintStays(QPainter& painter) {
    using namespace scenery;
    painter.setBrush(Qt::NoBrush);
    for (int i = 0; i < kStayCount; ++i) {
        const double anchor = 11 + 6 * i;
        painter.setPen(QPen(kStay, 1.3));
        painter.drawLine(QPointF(kPylonLeft + 4, anchor), QPointF(kLeftStayEnds[i], kDeckTop - 2));
        painter.drawLine(QPointF(kPylonRight - 4, anchor), QPointF(kRightStayEnds[i], kDeckTop - 2));
        painter.setPen(QPen(kStay.lighter(150), 0.5));
        painter.drawLine(QPointF(kPylonLeft + 4, anchor - 0.6), QPointF(kLeftStayEnds[i], kDeckTop - 2.6));
    }
}

void paintSuspendedDeck(QPainter& painter) {
    using namespace scenery;
    const int left = 48;
    painter.setPen(Qt::NoPen);
    for (int x = left; x < kWidth; x += 6)                         // railing posts
        painter.fillRect(QRect(x, kDeckTop - 5, 1, 5), QColor(0x90, 0x90, 0x90));
    painter.fillRect(QRect(left, kDeckTop - 5, kWidth - left, 1), QColor(0xB8, 0xB8, 0xB8));
    QLinearGradient face(0, kDeckTop, 0, kDeckBottom);
    face.setColorAt(0, kConcrete.lighter(125));
    face.setColorAt(0.3, kConcrete);
    face.setColorAt(1, kConcrete.darker(190));
    painter.fillRect(QRect(left, kDeckTop, kWidth - left, kDeckBottom - kDeckTop + 1), face);
    for (int i = 0; i < kStayCount; ++i)                          // where the stays hold the deck
        for (double x : {kLeftStayEnds[i], kRightStayEnds[i]})
            painter.fillRect(QRectF(x - 1.5, kDeckTop - 2, 3, 3), kStay.darker(160));
    painter.fillRect(QRect(left + 4, kDeckBottom + 1, 6, 2), QColor(0x30, 0x30, 0x30));  // bearing
}

// The left abutment: a stepped concrete block with formwork joints and rain streaks.
void paintAbutment(QPainter& painter) {
    using namespace scenery;
    const QRect back(0, 110, 46, kDeckBottom + 3 - 110), block(0, kDeckBottom + 3, 66, kHeight);
    QLinearGradient light(0, 0, 66, 0);
    light.setColorAt(0, kConcrete.darker(120));
    light.setColorAt(1, kConcrete.lighter(105));
    painter.fillRect(back, light);
    painter.fillRect(block, light);
    painter.fillRect(QRect(0, 110, 46, 2), kConcrete.lighter(130));
    painter.fillRect(QRect(0, kDeckBottom + 3, 66, 2), kConcrete.lighter(130));
    painter.fillRect(QRect(64, kDeckBottom + 5, 2, kHeight), kConcrete.darker(160));
    Noise noise(3);
    painter.setPen(QPen(QColor(0x60, 0x60, 0x5C), 1));
    for (int x = 11; x < 66; x += 11)
        painter.drawLine(x, kDeckBottom + 6, x, kHeight);
    for (int y = 160; y < kHeight; y += 24)
        painter.drawLine(0, y, 63, y);
    for (int i = 0; i < 14; ++i) {
        const int x = noise.below(62), y = kDeckBottom + 5 + noise.below(20);
        painter.fillRect(QRect(x, y, 1, 8 + noise.below(30)), QColor(0x50, 0x50, 0x48, 70));
    }
}

// Fades the picture's border into the game's black, so its edges do not show.
void fadeEdges(QImage& image, int margin) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const int edge = std::min({x, y, image.width() - 1 - x, image.height() - 1 - y});
            if (edge < margin) {
                const double t = (edge + 0.5) / margin;
                image.setPixel(x, y, shade(image.pixel(x, y), t * t * (3 - 2 * t)));
            }
        }
}

QImage paintBackground() {
    using namespace scenery;
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    paintNightSky(painter);
    paintWater(painter);
    paintPylon(painter);
    paintStays(painter);
    paintSuspendedDeck(painter);
    paintAbutment(painter);
    painter.end();
    fadeEdges(image, 12);
    return image;
}


// ---------------------------------------------------------------- title picture

namespace title {
constexpr int kWidth = 412, kHeight = 260;
constexpr int kHorizon = 118;
constexpr int kRoadTop = 168, kRoadBottom = 181;
constexpr double kBridgeLeft = 226, kBridgeRight = 326;
const QColor kGrass(0x4E, 0x8E, 0x36), kWater(0x3A, 0x6E, 0xB0), kAsphalt(0x4E, 0x52, 0x58);
}  // namespace title

// The river's banks at row y: it rises from the far hills and widens towards us.
std::pair<double, double> riverBanks(double y) {
    const double t = std::clamp((y - title::kHorizon + 4) / (title::kHeight - title::kHorizon), 0.0, 1.0);
    const double centre = 214 + 96 * t + 22 * std::sin(t * 5.0);
    const double half = 3 + 80 * std::pow(t, 1.25);
    return {centre - half, centre + half};
}

void paintEveningSky(QPainter& painter) {
    using namespace title;
    QLinearGradient sky(0, 0, 0, kHorizon);
    sky.setColorAt(0, QColor(0x1C, 0x36, 0x78));
    sky.setColorAt(0.55, QColor(0x5C, 0x7C, 0xC0));
    sky.setColorAt(0.85, QColor(0xE8, 0xA8, 0x88));
    sky.setColorAt(1, QColor(0xF8, 0xC8, 0x80));
    painter.fillRect(QRect(0, 0, kWidth, kHorizon + 4), sky);
    QRadialGradient sun(QPointF(318, 104), 46);
    sun.setColorAt(0, QColor(0xFF, 0xF0, 0xB0, 230));
    sun.setColorAt(0.3, QColor(0xFF, 0xE0, 0x90, 140));
    sun.setColorAt(1, QColor(0xFF, 0xD0, 0x80, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sun);
    painter.drawEllipse(QPointF(318, 104), 46, 46);
    painter.setBrush(QColor(0xFF, 0xF4, 0xC8));
    painter.drawEllipse(QPointF(318, 104), 11, 11);
    const QRectF clouds[] = {{40, 30, 90, 12}, {70, 24, 50, 12}, {230, 50, 80, 9}, {330, 22, 60, 10}, {150, 70, 70, 7}};
    for (const QRectF& cloud : clouds) {
        painter.setBrush(QColor(0xF8, 0xD8, 0xD8, 120));
        painter.drawEllipse(cloud);
        painter.setBrush(QColor(0xFF, 0xF0, 0xF0, 90));
        painter.drawEllipse(cloud.adjusted(cloud.width() * 0.2, 0, -cloud.width() * 0.3, -cloud.height() * 0.4));
    }
}

// A range of hills: a wavy ridge from `base` up by `height`, filled down to the bottom.
void paintHills(QPainter& painter, double base, double height, double phase, const QColor& colour) {
    QPainterPath ridge;
    ridge.moveTo(0, title::kHeight);
    for (int x = 0; x <= title::kWidth; x += 4) {
        const double wave = std::sin(x / 53.0 + phase) * 0.6 + std::sin(x / 23.0 + 2 * phase) * 0.25;
        ridge.lineTo(x, base - height * (0.5 + 0.5 * wave));
    }
    ridge.lineTo(title::kWidth, title::kHeight);
    ridge.closeSubpath();
    painter.fillPath(ridge, colour);
}

void paintVillage(QPainter& painter) {
    const QColor wall(0xF0, 0xE8, 0xD8), roof(0xB8, 0x40, 0x30), dark(0x8A, 0x2C, 0x22);
    const QRectF houses[] = {{54, 108, 10, 7}, {68, 110, 12, 6}, {96, 109, 9, 7}, {110, 111, 11, 6}, {126, 110, 8, 6}};
    painter.setPen(Qt::NoPen);
    for (const QRectF& house : houses) {
        painter.fillRect(house, wall);
        painter.setBrush(roof);
        painter.drawPolygon(QPolygonF({house.topLeft() + QPointF(-1, 0), house.topRight() + QPointF(1, 0),
                                       QPointF(house.center().x(), house.top() - 5)}));
    }
    painter.fillRect(QRectF(84, 96, 6, 20), wall);                        // church tower
    painter.setBrush(dark);
    painter.drawPolygon(QPolygonF({{83, 96}, {91, 96}, {87, 85}}));
    painter.fillRect(QRectF(86, 100, 2, 3), QColor(0x40, 0x40, 0x50));
}

void paintMeadow(QPainter& painter) {
    using namespace title;
    QLinearGradient field(0, kHorizon, 0, kHeight);
    field.setColorAt(0, kGrass.lighter(115));
    field.setColorAt(1, kGrass.darker(140));
    painter.fillRect(QRect(0, kHorizon + 10, kWidth, kHeight), field);
    const QColor crops[] = {QColor(0x8A, 0xA8, 0x44), QColor(0x5E, 0x9A, 0x3E), QColor(0xC8, 0xB8, 0x5A)};
    const QPolygonF fields[] = {                                           // patchwork behind the road
        {{0, 136}, {60, 132}, {90, 146}, {0, 152}}, {{70, 130}, {140, 128}, {170, 140}, {96, 144}},
        {{240, 128}, {300, 126}, {330, 138}, {262, 142}}, {{330, 132}, {412, 130}, {412, 150}, {350, 148}},
        {{150, 148}, {200, 146}, {204, 160}, {140, 162}}};
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < int(std::size(fields)); ++i) {
        painter.setBrush(crops[i % 3]);
        painter.drawPolygon(fields[i]);
    }
    Noise noise(23);
    for (int i = 0; i < 900; ++i) {                                       // tufts, longer near us
        const int y = kRoadBottom + noise.below(kHeight - kRoadBottom);
        const int x = noise.below(kWidth);
        const int length = 1 + (y - kRoadBottom) / 25;
        painter.fillRect(QRect(x, y, 1, length), noise.below(2) ? kGrass.darker(125) : kGrass.lighter(125));
    }
    const QColor flowers[] = {QColor(0xFF, 0xF0, 0x60), QColor(0xFF, 0xFF, 0xFF), QColor(0xE8, 0x50, 0x60)};
    for (int i = 0; i < 70; ++i)
        painter.fillRect(QRect(noise.below(kWidth), kRoadBottom + 14 + noise.below(70), 2, 2), flowers[noise.below(3)]);
}

void paintRiver(QPainter& painter) {
    using namespace title;
    QPainterPath river;
    QPolygonF leftBank, rightBank;
    for (int y = kHorizon - 2; y <= kHeight; y += 2) {
        leftBank << QPointF(riverBanks(y).first, y);
        rightBank.prepend(QPointF(riverBanks(y).second, y));
    }
    river.addPolygon(leftBank + rightBank);
    QLinearGradient water(0, kHorizon, 0, kHeight);
    water.setColorAt(0, QColor(0xB8, 0xCC, 0xE8));
    water.setColorAt(0.25, kWater.lighter(130));
    water.setColorAt(1, kWater.darker(130));
    painter.fillPath(river, water);
    painter.strokePath(river, QPen(QColor(0x3A, 0x5A, 0x2A), 1.2));
    Noise noise(31);
    for (int i = 0; i < 80; ++i) {                                        // ripples
        const int y = kHorizon + 8 + noise.below(kHeight - kHorizon - 8);
        const auto [left, right] = riverBanks(y);
        const double x = left + 2 + noise.unit() * std::max(0.0, right - left - 10);
        painter.fillRect(QRectF(x, y, 2 + noise.below(6), 1), QColor(0xE8, 0xF0, 0xFF, 150));
    }
}

void paintTree(QPainter& painter, QPointF foot, double size) {
    painter.fillRect(QRectF(foot.x() - size * 0.08, foot.y() - size * 0.5, size * 0.16, size * 0.5), QColor(0x5A, 0x3A, 0x22));
    painter.setBrush(QColor(0x2A, 0x5E, 0x2A));
    painter.drawEllipse(QPointF(foot.x(), foot.y() - size * 0.8), size * 0.45, size * 0.5);
    painter.setBrush(QColor(0x4A, 0x8A, 0x3C));
    painter.drawEllipse(QPointF(foot.x() - size * 0.12, foot.y() - size * 0.92), size * 0.26, size * 0.28);
}

void paintTrees(QPainter& painter) {
    painter.setPen(Qt::NoPen);
    const std::pair<QPointF, double> trees[] = {
        {{150, 134}, 14}, {{168, 132}, 11}, {{186, 137}, 16}, {{256, 136}, 13}, {{276, 131}, 10},
        {{360, 140}, 18}, {{384, 146}, 22}, {{16, 150}, 24}, {{40, 142}, 17}, {{120, 146}, 15}};
    for (const auto& [foot, size] : trees)
        paintTree(painter, foot, size);
}

// The road crossing the picture and the steel truss bridge carrying it over the river.
void paintRoadAndBridge(QPainter& painter) {
    using namespace title;
    painter.fillRect(QRect(0, kRoadTop, kWidth, kRoadBottom - kRoadTop), kAsphalt);
    painter.fillRect(QRect(0, kRoadTop, kWidth, 2), QColor(0xB8, 0xB8, 0xB0));
    painter.fillRect(QRect(0, kRoadBottom - 2, kWidth, 3), QColor(0x8A, 0x84, 0x70));
    for (int x = 4; x < kWidth; x += 18)
        painter.fillRect(QRect(x, kRoadTop + 6, 9, 1), QColor(0xF4, 0xF4, 0xEC));
    const QColor steel(0x6A, 0x7A, 0x94);
    painter.setPen(QPen(steel, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(kBridgeLeft, kRoadTop - 14), QPointF(kBridgeRight, kRoadTop - 14));
    for (double x = kBridgeLeft; x < kBridgeRight; x += 20) {             // Warren truss over the road
        painter.drawLine(QPointF(x, kRoadTop), QPointF(x + 10, kRoadTop - 14));
        painter.drawLine(QPointF(x + 10, kRoadTop - 14), QPointF(x + 20, kRoadTop));
    }
    painter.drawLine(QPointF(kBridgeLeft - 6, kRoadTop), QPointF(kBridgeLeft, kRoadTop - 14));
    painter.drawLine(QPointF(kBridgeRight, kRoadTop - 14), QPointF(kBridgeRight + 6, kRoadTop));
    painter.setPen(Qt::NoPen);
    painter.fillRect(QRectF(kBridgeLeft - 6, kRoadBottom, kBridgeRight - kBridgeLeft + 12, 4), steel.darker(130));
    for (double x : {kBridgeLeft + 28, kBridgeRight - 32}) {              // piers standing in the river
        painter.fillRect(QRectF(x, kRoadBottom + 4, 6, 14), QColor(0xA8, 0xA8, 0xA0));
        painter.fillRect(QRectF(x + 4, kRoadBottom + 4, 2, 14), QColor(0x78, 0x78, 0x70));
        painter.fillRect(QRectF(x - 2, kRoadBottom + 17, 10, 1), QColor(0xE8, 0xF0, 0xFF, 160));
    }
}

void paintNameSign(QPainter& painter) {
    const QRectF board(26, 196, 164, 46);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));                                // shadow on the grass
    painter.drawEllipse(QRectF(board.left() + 10, 252, board.width(), 8));
    for (double x : {board.left() + 30, board.right() - 34}) {
        painter.fillRect(QRectF(x, board.bottom() - 2, 4, 22), QColor(0x9A, 0x9A, 0x9A));
        painter.fillRect(QRectF(x + 3, board.bottom() - 2, 1, 22), QColor(0x60, 0x60, 0x60));
    }
    painter.setBrush(QColor(0x22, 0x22, 0x22));
    painter.drawRoundedRect(board, 4, 4);
    painter.setBrush(QColor(0xF6, 0xF6, 0xF0));
    painter.drawRoundedRect(board.adjusted(3, 3, -3, -3), 2.5, 2.5);
    painter.setPen(QPen(QColor(0x22, 0x22, 0x22), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(board.adjusted(6.5, 6.5, -6.5, -6.5), 1.5, 1.5);
    QFont font("Nimbus Sans", 10, QFont::Bold);
    font.setPixelSize(30);
    painter.setFont(font);
    painter.setPen(QColor(0x1A, 0x1A, 0x1A));
    painter.drawText(board.adjusted(0, 1, 0, 0), Qt::AlignCenter, QStringLiteral("Kestrava"));
}

QImage paintTitle() {
    using namespace title;
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    paintEveningSky(painter);
    paintHills(painter, kHorizon + 2, 26, 0.0, QColor(0x7A, 0x84, 0xB4));
    paintHills(painter, kHorizon + 8, 16, 2.0, QColor(0x5A, 0x84, 0x6A));
    paintVillage(painter);
    paintMeadow(painter);
    paintRiver(painter);
    paintTrees(painter);
    paintRoadAndBridge(painter);
    paintNameSign(painter);
    return image;
}


// ---------------------------------------------------------------- start and exit plates

namespace plate {
constexpr int kWidth = 130, kHeight = 45;
// The title window shows only the start picture's left 124 columns, so both
// plates keep inside them and look alike.
constexpr int kVisibleWidth = 124;
const QRectF kPlate(1.5, 1.5, kVisibleWidth - 3, kHeight - 3);
const QString kStartLabel = "START GAME", kExitLabel = "EXIT GAME";
// Both plates letter in one size, the largest at which every label fits.
const QStringList kLabels = {kStartLabel, kExitLabel};
// Each plate's surround matches the title-window panel it sits in.
const QColor kStartPanel(0x00, 0x00, 0x59), kExitPanel(0x00, 0x00, 0x55);
const QColor kStartEnamel(0x2A, 0x8A, 0x38), kExitEnamel(0xB0, 0x24, 0x24);
}  // namespace plate

void paintScrew(QPainter& painter, QPointF centre) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x70, 0x70, 0x74));
    painter.drawEllipse(centre, 2.2, 2.2);
    painter.setBrush(QColor(0xD8, 0xD8, 0xDC));
    painter.drawEllipse(centre - QPointF(0.4, 0.4), 1.5, 1.5);
    painter.setPen(QPen(QColor(0x50, 0x50, 0x54), 0.8));
    painter.drawLine(centre + QPointF(-1.2, 1.0), centre + QPointF(1.2, -1.0));
}

// The largest bold face up to 17 px in which each of `texts` fits `width`.
QFont fittingFont(const QStringList& texts, double width) {
    QFont font("DejaVu Sans", 10, QFont::Bold);
    for (int size = 17; size > 8; --size) {
        font.setPixelSize(size);
        const QFontMetricsF metrics(font);
        if (std::all_of(texts.begin(), texts.end(),
                        [&](const QString& text) { return metrics.horizontalAdvance(text) <= width; }))
            break;
    }
    return font;
}

QImage paintPlate(const QString& text, const QColor& panel, const QColor& enamel) {
    using namespace plate;
    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    image.fill(panel);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient rim(0, kPlate.top(), 0, kPlate.bottom());           // chrome frame
    rim.setColorAt(0, QColor(0xF0, 0xF0, 0xF4));
    rim.setColorAt(0.5, QColor(0x9A, 0x9C, 0xA4));
    rim.setColorAt(1, QColor(0x4A, 0x4C, 0x54));
    painter.setPen(QPen(QColor(0x20, 0x20, 0x28), 1));
    painter.setBrush(rim);
    painter.drawRoundedRect(kPlate, 7, 7);
    const QRectF face = kPlate.adjusted(4, 4, -4, -4);
    QLinearGradient paint(0, face.top(), 0, face.bottom());
    paint.setColorAt(0, enamel.lighter(135));
    paint.setColorAt(0.45, enamel);
    paint.setColorAt(1, enamel.darker(170));
    painter.setPen(QPen(enamel.darker(250), 1));
    painter.setBrush(paint);
    painter.drawRoundedRect(face, 4, 4);
    for (QPointF corner : {face.topLeft() + QPointF(5, 5), face.topRight() + QPointF(-5, 5),
                           face.bottomLeft() + QPointF(5, -5), face.bottomRight() + QPointF(-5, -5)})
        paintScrew(painter, corner);
    const QRectF textBox = face.adjusted(10, 0, -10, 0);
    painter.setFont(fittingFont(kLabels, textBox.width()));
    painter.setPen(QColor(0, 0, 0, 170));
    painter.drawText(textBox.translated(1, 1), Qt::AlignCenter, text);
    painter.setPen(QColor(0xFF, 0xFF, 0xF4));
    painter.drawText(textBox, Qt::AlignCenter, text);
    return image;
}

// ---------------------------------------------------------------- About picture

// One slab as a box in oblique view: top face, front face, side face.
void paintSlab(QPainter& painter, QPointF frontTopLeft, double width, double thickness) {
    const QPointF depth(7, -6);
    const QPointF a = frontTopLeft, b = a + QPointF(width, 0);
    const QPointF c = b + QPointF(0, thickness), d = a + QPointF(0, thickness);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x38), 0.8));
    painter.setBrush(QColor(0xC8, 0xC8, 0xC4));
    painter.drawPolygon(QPolygonF({a, b, b + depth, a + depth}));
    painter.setBrush(QColor(0x8C, 0x8C, 0x88));
    painter.drawPolygon(QPolygonF({a, b, c, d}));
    painter.setBrush(QColor(0x62, 0x62, 0x60));
    painter.drawPolygon(QPolygonF({b, b + depth, c + depth, c}));
    painter.setPen(QPen(QColor(0xF0, 0xF0, 0xEC), 0.8));
    painter.drawLine(a + QPointF(0.5, 0.3), b + QPointF(-0.5, 0.3));
}

QImage paintAbout() {
    QImage image(74, 60, QImage::Format_RGB888);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QRadialGradient night(QPointF(37, 24), 50);
    night.setColorAt(0, QColor(0x14, 0x30, 0x78));
    night.setColorAt(1, QColor(0x02, 0x0A, 0x2C));
    painter.fillRect(image.rect(), night);
    paintSlab(painter, QPointF(5, 36), 28, 8);
    paintSlab(painter, QPointF(38, 26), 28, 8);
    return image;
}

// ---------------------------------------------------------------- program icons

// The sixteen colours the icons are drawn with.
const std::vector<Ink> kIconPalette = {
    {'.', rgb(0x000080)}, {'k', rgb(0x000000)}, {'w', rgb(0xFFFFFF)}, {'s', rgb(0xC0C0C0)},
    {'g', rgb(0x808080)}, {'m', rgb(0x800000)}, {'r', rgb(0xFF0000)}, {'b', rgb(0x0000FF)},
    {'t', rgb(0x008080)}, {'a', rgb(0x00FFFF)}, {'y', rgb(0xFFFF00)}};

// A road deck over water, its middle piece lifted out of the gap, under a
// crescent moon.
const std::vector<const char*> kIcon32 = {
    "................................",
    "..w...................yy........",
    ".......................yy....w..",
    "........w..............yy.......",
    "......................yy........",
    "................................",
    "...w.........................w..",
    "................................",
    "..........rrrrrrrrrrrr..........",
    "..........rmmmmmmmmmmk..........",
    "..........rmmmmmmmmmmk..........",
    "..........rmmmmmmmmmmk..........",
    "..........kkkkkkkkkkkk..........",
    "................................",
    "ssssssssss............ssssssssss",
    "gggggggggg............gggggggggg",
    "kkkkkkkkkk............kkkkkkkkkk",
    "gggggggggg............gggggggggg",
    "gg.....ggg.............ggg.....g",
    ".gg...gg.g............gg.gg...gg",
    "..gg.gg...............g...gg.gg.",
    "...ggg.....................ggg..",
    "gggggggggg............gggggggggg",
    "kkkkkkkkkk............kkkkkkkkkk",
    "...sssg..................sssg...",
    "bbbsssgbbbbbbbbbbbbbbbbbbsssgbbb",
    "bbbsssgbbbaabbbbbbbbaabbbsssgbbb",
    "tttsssgtttttttttaatttttttsssgttt",
    "tttttttaattttttttttttttttttttaat",
    "ttttttttttttttttttttaatttttttttt",
    "tttttttttttttttttttttttttttttttt",
    "tttttttttttttttttttttttttttttttt",
};

const std::vector<const char*> kIcon16 = {
    "...........w....",
    "..w.............",
    "................",
    ".....rrrrrr.....",
    ".....rmmmmk.....",
    ".....rmmmmk.....",
    ".....kkkkkk.....",
    "................",
    "ssss........ssss",
    "gggg........gggg",
    "g.gg........gg.g",
    "gggg........gggg",
    ".sg..........sg.",
    "bsgbbbbbbbbbbsgb",
    "bsgbaabbbbaabsgb",
    "tttttttaattttttt",
};

QImage paintIcon(const std::vector<const char*>& rows) {
    const int size = int(rows.size());
    QImage image(size, size, QImage::Format_RGB888);
    image.fill(Qt::black);
    Pixels p(image);
    paintRows(p, 0, 0, rows, kIconPalette);
    return image;
}


// ---------------------------------------------------------------- output

constexpr int kJpegQuality = 92;

struct Picture {
    QString fileName;  // a ".jpg" name is written as JPEG, any other as 24-bit BMP
    std::function<QImage()> paint;
};

std::vector<Picture> pictures() {
    return {
        {"title.bmp", paintTitle},
        {"start.jpg", [] { return paintPlate(plate::kStartLabel, plate::kStartPanel, plate::kStartEnamel); }},
        {"exit.jpg", [] { return paintPlate(plate::kExitLabel, plate::kExitPanel, plate::kExitEnamel); }},
        {"background.bmp", paintBackground},
        {"deck.bmp", paintDeck},
        {"mast.bmp", paintMast},
        {"bus.bmp", paintBus},
        {"tram.bmp", paintTram},
        {"truck.bmp", paintTruck},
        {"motorka.bmp", paintMotorcycle},
        {"post.bmp", paintPost},
        {"life.bmp", paintLife},
        {"about.jpg", paintAbout},
        {"icon32.bmp", [] { return paintIcon(kIcon32); }},
        {"icon16.bmp", [] { return paintIcon(kIcon16); }},
    };
}

bool writePicture(const QString& folder, const Picture& picture) {
    const QString path = folder + '/' + picture.fileName;
    const QImage image = picture.paint().convertToFormat(QImage::Format_RGB888);
    bool written = false;
    if (picture.fileName.endsWith(".jpg")) {
        QFile file(path);
        written = file.open(QIODevice::WriteOnly) && file.write(encodeJpeg(image, kJpegQuality)) > 0;
    } else {
        written = image.save(path, "BMP");
    }
    std::fprintf(written ? stdout : stderr, "%s %s\n", written ? "wrote" : "cannot write", qPrintable(path));
    return written;
}

}  // namespace

}  // namespace kestrava

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool allWritten = true;
    for (const kestrava::Picture& picture : kestrava::pictures())
        allWritten = kestrava::writePicture(folder, picture) && allWritten;
    return allWritten ? 0 : 1;
}
