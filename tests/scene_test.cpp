// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Click routing, repainting and the error objects of the framework.

#include "framework/Errors.h"
#include "framework/Scene.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace kestrava {
namespace {

// Two overlapping items over a parent scene, with a child panel beside them;
// every click is logged by name.
class SceneFixture : public ::testing::Test {
protected:
    QWidget window;
    TScene scene{&window, QSize(200, 100), Qt::black};
    TShape below{scene, QRect(10, 10, 50, 50), Qt::red, Qt::red};
    TShape above{scene, QRect(30, 30, 50, 50), Qt::green, Qt::green};
    TScene* panel = new TScene(&scene, QSize(40, 40), Qt::blue);
    QStringList clicks;

    SceneFixture() {
        panel->move(150, 10);
        below.OnClick = [this] { clicks << "below"; };
        above.OnClick = [this] { clicks << "above"; };
        scene.OnClick = [this] { clicks << "scene"; };
        window.resize(200, 100);
        window.show();
    }
    void click(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(&scene, button, {}, at);
    }
};

TEST_F(SceneFixture, APressGoesToTheTopmostVisibleEnabledItemOrTheScene) {
    struct Case {
        const char* setup;
        QPoint at;
        QStringList expected;
    };
    const Case cases[] = {
        {"both shown", QPoint(40, 40), {"above"}},
        {"both shown", QPoint(15, 15), {"below"}},
        {"both shown", QPoint(120, 80), {"scene"}},
        {"above hidden", QPoint(40, 40), {"below"}},
        {"above disabled", QPoint(40, 40), {"below"}},
        {"both disabled", QPoint(40, 40), {"scene"}},
    };
    for (const Case& c : cases) {
        const QString setup = c.setup;
        above.setVisible(setup != "above hidden");
        above.setEnabled(setup == "both shown" || setup == "above hidden");
        below.setEnabled(setup != "both disabled");
        clicks.clear();
        click(c.at);
        EXPECT_EQ(clicks, c.expected) << c.setup;
    }
}

TEST_F(SceneFixture, AnItemWithoutAHandlerKeepsTheClick) {
    above.OnClick = nullptr;
    click(QPoint(40, 40));
    EXPECT_TRUE(clicks.isEmpty());
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(clicks.isEmpty()) << "the panel does not pass its click on";
}

TEST_F(SceneFixture, OnlyALeftPressAndReleaseInTheSameItemClicks) {
    click(QPoint(40, 40), Qt::RightButton);
    click(QPoint(40, 40), Qt::MiddleButton);
    QTest::mousePress(&scene, Qt::LeftButton, {}, QPoint(15, 15));
    QTest::mouseRelease(&scene, Qt::LeftButton, {}, QPoint(70, 70));
    EXPECT_TRUE(clicks.isEmpty());
    QTest::mousePress(&scene, Qt::LeftButton, {}, QPoint(120, 80));
    QTest::mouseRelease(&scene, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(clicks, QStringList{"scene"}) << "released anywhere in the scene";
}

TEST_F(SceneFixture, TheSecondPressOfADoubleClickDoesNotClick) {
    // What the window system delivers: press, release, then the second press
    // as a double-click event, and its release.
    const QPoint at(40, 40);
    QTest::mousePress(&scene, Qt::LeftButton, {}, at);
    QTest::mouseRelease(&scene, Qt::LeftButton, {}, at);
    QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(at), scene.mapToGlobal(QPointF(at)),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&scene, &second);
    QTest::mouseRelease(&scene, Qt::LeftButton, {}, at);
    EXPECT_EQ(clicks, QStringList{"above"});
}

TEST_F(SceneFixture, CursorAndHintComeFromTheTopmostItem) {
    above.Cursor = Qt::PointingHandCursor;
    below.Cursor = Qt::ForbiddenCursor;
    QTest::mouseMove(&scene, QPoint(40, 40));
    EXPECT_EQ(scene.cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseMove(&scene, QPoint(15, 15));
    EXPECT_EQ(scene.cursor().shape(), Qt::ForbiddenCursor);
    above.setEnabled(false);
    QTest::mouseMove(&scene, QPoint(41, 41));
    EXPECT_EQ(scene.cursor().shape(), Qt::ForbiddenCursor);
    EXPECT_EQ(scene.itemAt(QPoint(41, 41)), &below);
}

// Counts the area each paint event covers.
class PaintCountingScene : public TScene {
public:
    using TScene::TScene;
    QRegion painted;

protected:
    void paintEvent(QPaintEvent* event) override {
        painted += event->region();
        TScene::paintEvent(event);
    }
};

TEST(SceneRepaint, MovingAnItemRepaintsOnlyWhereItWasAndIs) {
    QWidget window;
    window.resize(487, 434);
    PaintCountingScene scene(&window, QSize(487, 434), Qt::black);
    TShape item(scene, QRect(100, 100, 20, 10), Qt::red, Qt::red);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
    scene.painted = QRegion();
    item.setLeft(98);
    QCoreApplication::processEvents();
    EXPECT_EQ(scene.painted.boundingRect(), QRect(98, 100, 22, 10));
}

TEST(ErrorText, APeriodIsAddedOnlyAfterACharacterSortingAfterIt) {
    EXPECT_EQ(reportText("Cannot open file score"), "Cannot open file score.");
    EXPECT_EQ(reportText("List index out of bounds (0)"), "List index out of bounds (0)");
    EXPECT_EQ(reportText("Done."), "Done.");
    EXPECT_EQ(reportText(""), "");
    EXPECT_EQ(reportText("'' is not a valid integer value"),
              "'' is not a valid integer value.");
}

TEST(ErrorText, TheApplicationTitleAndTheStartupFailureText) {
    EXPECT_EQ(applicationTitle("/usr/games/KESTRAVA.bin.x"), "Kestrava");
    EXPECT_EQ(applicationTitle("kestrava"), "kestrava");
    const QString text =
        startupFailureText(EMCIDeviceError("Cannot open sound file sounds/tep.wav: the file is missing"),
                           "/opt/kestrava/bin/kestrava", reinterpret_cast<const void*>(0x1234));
    EXPECT_EQ(text,
              "Exception EMCIDeviceError in module kestrava at 00001234.\n"
              "Cannot open sound file sounds/tep.wav: the file is missing.");
}

}  // namespace
}  // namespace kestrava
