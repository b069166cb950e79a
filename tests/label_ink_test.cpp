// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A label whose caption changes must look exactly like one painted fresh with
// the last caption: every pixel the old text inked is erased. Run at scale 1
// and, as a second test, with QT_SCALE_FACTOR=2, where hinting and rounding
// put the ink in other places.

#include "framework/Fonts.h"
#include "framework/Scene.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace kestrava;

namespace {

const QStringList ClockCaptions = {QStringLiteral("140"), QStringLiteral("134"),
                                   QStringLiteral("99"), QStringLiteral("1")};
const QStringList ScoreCaptions = {QStringLiteral("0"), QStringLiteral("50"),
                                   QStringLiteral("1270")};
// Accents above capitals, descenders and overhanging letters in the text faces.
const QStringList WordCaptions = {QStringLiteral("ŽIVOTY Áj"), QStringLiteral("fy"),
                                  QStringLiteral("Ť")};

struct LabelFace {
    const char* what;
    QFont font;
};

// Every face a label of the game paints in.
std::vector<LabelFace> labelFaces() {
    const QString led = QStringLiteral("LED");
    const QString text = QStringLiteral("Tw Cen MT");
    const QString sans = QStringLiteral("MS Sans Serif");
    return {
        {"clock and score, LED 20", face(led, 20)},
        {"final score, LED 27", face(led, 27)},
        {"status and end panel, bold 16", face(text, 16, true)},
        {"about texts, bold 13", face(text, 13, true)},
        {"highscore caption, bold 11", face(text, 11, true)},
        {"links, 15", face(text, 15)},
        {"about title, bold underlined 16", face(text, 16, true, true)},
        {"help title, bold underlined 27", face(text, 27, true, true)},
        {"credit, bold sans 11", face(sans, 11, true)},
        {"stored best, sans 11", face(sans, 11)},
    };
}

// A black window holding one label, as the game window holds its clock.
struct LabelWindow {
    LabelWindow(const QFont& font, const QString& caption) {
        scene = std::make_unique<TScene>(nullptr, QSize(160, 80), Qt::black);
        label = std::make_unique<TLabel>(*scene, QPoint(24, 20), caption, font, Qt::yellow);
        scene->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(scene.get()));
        settle();
    }
    ~LabelWindow() {
        label.reset();
        scene.reset();
    }
    // Lets the pending repaints reach the window's backing store.
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    // What the window shows: its backing store, partial repaints and all.
    QImage pixels() const {
        settle();
        return scene->screen()->grabWindow(scene->winId()).toImage().convertToFormat(
            QImage::Format_RGB32);
    }
    std::unique_ptr<TScene> scene;
    std::unique_ptr<TLabel> label;
};

QString describeDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("first differing device pixel at %1,%2").arg(x).arg(y);
    return QString();
}

}  // namespace

TEST(LabelInk, ChangedCaptionLooksLikeAFreshLabelInEveryFace) {
    registerFontSubstitutes();
    for (const LabelFace& f : labelFaces()) {
        for (const QStringList& captions : {ClockCaptions, ScoreCaptions, WordCaptions}) {
            LabelWindow changed(f.font, captions.first());
            for (const QString& caption : captions.mid(1)) {
                changed.label->setCaption(caption);
                LabelWindow::settle();
            }
            const LabelWindow fresh(f.font, captions.last());
            const QImage seen = changed.pixels();
            ASSERT_FALSE(seen.isNull());
            EXPECT_EQ(describeDifference(seen, fresh.pixels()), QString())
                << f.what << ", captions " << captions.join(QStringLiteral(" -> ")).toStdString()
                << ", scale " << qApp->devicePixelRatio();
        }
    }
}

// The ink stays inside what the label repaints: a label hidden over a filled
// background leaves no pixel of its text behind.
TEST(LabelInk, HiddenLabelLeavesNoInk) {
    registerFontSubstitutes();
    for (const LabelFace& f : labelFaces()) {
        LabelWindow window(f.font, QStringLiteral("1270 ŽÁjfy"));
        window.label->Hide();
        LabelWindow empty(f.font, QString());
        EXPECT_EQ(describeDifference(window.pixels(), empty.pixels()), QString()) << f.what;
    }
}
