// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/Assets.h"
#include "dialogs/AboutBox.h"
#include "dialogs/HelpBox.h"
#include "dialogs/LinkOpener.h"
#include "framework/Errors.h"
#include "framework/Fonts.h"
#include "framework/Timer.h"
#include "tests/TestSupport.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace kestrava;
using kestrava::testing::RecordingReporter;

namespace {

// exec()'s result when the action inside the modal loop left the dialog open
// and the test closed it itself.
constexpr int LeftOpen = 2;

// A game timer period short enough to tick several times while a dialog is
// up, and how many of its ticks make the point.
constexpr int FastTimerMs = 1;
constexpr int TicksWhileModal = 3;
// Only reached when the dialog's loop delivers no timer ticks at all.
constexpr int ModalLoopGuardMs = 10000;

// The help text as the player reads it; several lines end in a space.
const std::vector<const char*> ExpectedHelp = {
    "Nápověda:",
    "",
    "Hru ovládáte vertikálními šipkami, jejichž pomocí máte za úkol ",
    "přemostit silnici, na které se pohybují dopravní prostředky.",
    "",
    "Aby vůz bezpečně projel, musíte plošinku dostat do roviny se silnicí.",
    "",
    "Hra je omezena limitem 140 vteřin.",
    "",
    "Za každý projetý vůz získáte 50 bodů, za projetou tramvaj",
    "získáte 70 bodů (protože veze nejvíce lidí), za zničený vůz ",
    "ztratíte život.",
    "",
    "Abyste to stíhali, máte k dispozici čtyři semafory u každého patra. ",
    "Kliknutím na ně (na jejich sloupy) se vozy v daném patře zastaví",
    "na pět vteřin. ",
    "Každý lze použít pouze dvakrát. Pokud  i přesto nestihnete ",
    "pomoci nějakému vozidlu přejet na druhou stranu, ztratíte jeden ",
    "z pěti životů. ",
    "",
    "Každý semafor můžete použít jen dvakrát, takže si pořádně ",
    "rozmyslete, kdy ho použít.",
    "",
    "Z dolní části můžete rovnou přeskočit nahoru, když se",
    "dostanete na dolní okraj.",
    "",
    "Když budete tak dobří a některý semafor ani nepoužijete,",
    "na konci hry se k dosaženému skóre přičte za každý ",
    "nepoužitý semafor 60 bodů a za každý zbylý život 70 bodů.",
    "",
    "Po ukončení se hra zavře stisknutím Enter.",
    "",
    "Hodně štěstí!;)",
    "_______________________________________",
    "",
    "You are using Up and Down key to move with ",
    "brown rectangle.",
    "",
    "You have to bridge over interrupted road and",
    "help vehicles to get to the left side.",
    "",
    "You could click on four semaphores but ",
    "each of them only twice. They will stop vehicle",
    "for 5 seconds.",
    "",
    "For this game you have only 140 seconds.",
    "",
    "Good luck!",
};

QStringList expectedHelpLines() {
    QStringList lines;
    for (const char* line : ExpectedHelp)
        lines << QString::fromUtf8(line);
    return lines;
}

// Shows `dialog` modally and runs `act` inside its modal loop, as the player
// would act on it; a dialog `act` left open is closed with LeftOpen.
int execWith(QDialog& dialog, const std::function<void()>& act) {
    QTimer::singleShot(0, &dialog, [&dialog, act] {
        act();
        if (dialog.isVisible())
            dialog.done(LeftOpen);
    });
    return dialog.exec();
}

// A point on the first line of a label's text, where the player clicks a link.
QPoint onFirstLine(const TLabel& label) { return label.BoundsRect().topLeft() + QPoint(8, 8); }

struct DialogsTest : ::testing::Test {
    DialogsTest() {
        initAssets();
        registerFontSubstitutes();
    }
    RecordingReporter reporter;
    ScopedErrorReporter scopedReporter{reporter};
};

// --- The help text ---------------------------------------------------------

TEST_F(DialogsTest, HelpListShowsTheHelpTextOneLinePerItem) {
    TAboutBox1 help;
    EXPECT_EQ(help.ListBox1->Items(), expectedHelpLines());
}

// --- Layout ----------------------------------------------------------------

// The frame's opening: what the four deck blue pieces leave free inside them.
QRect openingOf(const TItem& left, const TItem& top, const TItem& right, const TItem& bottom) {
    return QRect(QPoint(left.BoundsRect().right() + 1, top.BoundsRect().bottom() + 1),
                 QPoint(right.BoundsRect().left() - 1, bottom.BoundsRect().top() - 1));
}

TEST_F(DialogsTest, AboutBoxPiecesStayInsideWhatHoldsThem) {
    TAboutBox about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About"));
    EXPECT_FALSE(about.isVisible());
    const QRect window(QPoint(0, 0), about.size());
    for (const TShape* piece : {about.Shape1.get(), about.Shape2.get(), about.Shape3.get(),
                                about.Shape4.get()})
        EXPECT_TRUE(window.contains(piece->BoundsRect())) << piece->BoundsRect();
    const QRect opening = openingOf(*about.Shape3, *about.Shape4, *about.Shape1, *about.Shape2);
    EXPECT_TRUE(opening.contains(about.Panel1->geometry()));
    EXPECT_TRUE(about.Shape2->BoundsRect().contains(about.OKButton->geometry()))
        << "the button sits on the bottom bar";
    const QRect panel(QPoint(0, 0), about.Panel1->size());
    EXPECT_TRUE(panel.contains(about.Panel2->geometry()));
    EXPECT_TRUE(QRect(QPoint(0, 0), about.Panel2->size()).contains(about.Image1->BoundsRect()));
    const TLabel* labels[] = {about.ProductName.get(), about.Version.get(), about.Comments.get(),
                              about.Label2.get(), about.Label3.get()};
    for (const TLabel* label : labels) {
        SCOPED_TRACE(label->Caption().toStdString());
        EXPECT_TRUE(panel.contains(label->BoundsRect())) << label->BoundsRect();
        EXPECT_FALSE(label->BoundsRect().intersects(about.Panel2->geometry()));
        for (const TLabel* other : labels) {
            if (other != label) {
                EXPECT_FALSE(label->BoundsRect().intersects(other->BoundsRect()))
                    << other->Caption().toStdString();
            }
        }
    }
    EXPECT_EQ(about.ProductName->Caption(), QStringLiteral("Kestrava"));
    EXPECT_EQ(about.Version->Caption(), QStringLiteral("Version: 1.01"));
    EXPECT_EQ(about.Label2->Caption(), QStringLiteral("Podpořeno serverem"));
    EXPECT_EQ(about.Comments->Caption(), QStringLiteral("https://kestrava.example/"));
    EXPECT_EQ(about.Label3->Caption(), QStringLiteral("Kestrava Hry"));
    EXPECT_EQ(about.OKButton->text(), QStringLiteral("OK"));
    EXPECT_TRUE(about.OKButton->isDefault());
    EXPECT_EQ(about.Comments->Cursor, Qt::PointingHandCursor);
    EXPECT_EQ(about.Label3->Cursor, Qt::PointingHandCursor);
}

TEST_F(DialogsTest, HelpListFillsTheFrameOpeningAndTheButtonSitsOnTheBottomBar) {
    TAboutBox1 help;
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Nápověda"));
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(help.ListBox1->geometry(),
              openingOf(*help.Shape4, *help.Shape1, *help.Shape3, *help.Shape2));
    EXPECT_TRUE(help.Shape2->BoundsRect().contains(help.OKButton->geometry()));
    EXPECT_TRUE(help.Shape1->BoundsRect().contains(help.Label1->BoundsRect()))
        << "the heading sits on the top bar";
    EXPECT_EQ(help.Label1->Caption(), QStringLiteral("NÁPOVĚDA/HELP"));
    EXPECT_TRUE(help.OKButton->isDefault());
}

TEST_F(DialogsTest, BothHaveADialogBorderWithOnlyACloseBox) {
    TAboutBox about;
    TAboutBox1 help;
    for (QDialog* dialog : std::vector<QDialog*>{&about, &help}) {
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        const Qt::WindowFlags flags = dialog->windowFlags();
        EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
        EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    }
}

TEST_F(DialogsTest, HelpScrollBarSitsLeftOfLeftAlignedLines) {
    TAboutBox1 help;
    help.show();
    QScrollBar* bar = help.ListBox1->verticalScrollBar();
    QWidget* lines = help.ListBox1->viewport();
    ASSERT_TRUE(bar->isVisible());
    // The bar lives in a container of its own: compare in the list's terms.
    const int barRight = bar->mapTo(help.ListBox1, QPoint(bar->width() - 1, 0)).x();
    EXPECT_LT(barRight, lines->geometry().left());

    // The first line, "Nápověda:", is short: its ink starts at the left edge
    // of the lines' area and stays in its left half.
    const QImage image = lines->grab(QRect(0, 0, lines->width(), 14)).toImage();
    int firstInk = image.width();
    int lastInk = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) > 128) {
                firstInk = std::min(firstInk, x);
                lastInk = std::max(lastInk, x);
            }
        }
    }
    EXPECT_LT(firstInk, 8);
    EXPECT_LT(lastInk, image.width() / 2);
}

TEST_F(DialogsTest, EachShowingIsCentredOnTheScreen) {
    TAboutBox about;
    TAboutBox1 help;
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    for (QDialog* dialog : std::vector<QDialog*>{&about, &help}) {
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        dialog->show();
        EXPECT_LE((dialog->frameGeometry().center() - screenCentre).manhattanLength(), 1);
        dialog->hide();
        dialog->move(0, 0);
        dialog->show();
        EXPECT_LE((dialog->frameGeometry().center() - screenCentre).manhattanLength(), 1);
        dialog->hide();
    }
}

// --- Closing ---------------------------------------------------------------

struct CloseCase {
    const char* how;
    std::function<void()> act;
    int result;
};

void expectEachClosesTheDialog(QDialog& dialog, const std::vector<CloseCase>& cases) {
    // One dialog for every case: it is reused for every opening.
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.how);
        EXPECT_EQ(execWith(dialog, c.act), c.result);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST_F(DialogsTest, AboutBoxClosesWithOkEnterOrItsCloseBox) {
    TAboutBox about;
    expectEachClosesTheDialog(
        about, {
                   {"OK clicked", [&] { QTest::mouseClick(about.OKButton, Qt::LeftButton); },
                    QDialog::Accepted},
                   {"Enter on OK", [&] { QTest::keyClick(about.OKButton, Qt::Key_Return); },
                    QDialog::Accepted},
                   {"Enter on the dialog", [&] { QTest::keyClick(&about, Qt::Key_Return); },
                    QDialog::Accepted},
                   {"close box", [&] { about.close(); }, QDialog::Rejected},
               });
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(DialogsTest, HelpBoxClosesWithOkEnterOrItsCloseBox) {
    TAboutBox1 help;
    expectEachClosesTheDialog(
        help, {
                  {"OK clicked", [&] { QTest::mouseClick(help.OKButton, Qt::LeftButton); },
                   QDialog::Accepted},
                  {"Enter in the list", [&] { QTest::keyClick(help.ListBox1, Qt::Key_Return); },
                   QDialog::Accepted},
                  {"Enter on the dialog", [&] { QTest::keyClick(&help, Qt::Key_Enter); },
                   QDialog::Accepted},
                  {"close box", [&] { help.close(); }, QDialog::Rejected},
              });
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(DialogsTest, OkButtonClickHidesAndAccepts) {
    TAboutBox about;
    TAboutBox1 help;
    EXPECT_EQ(execWith(about, [&] { about.OKButtonClick(); }), QDialog::Accepted);
    EXPECT_EQ(execWith(help, [&] { help.OKButtonClick(); }), QDialog::Accepted);
    EXPECT_FALSE(about.isVisible());
    EXPECT_FALSE(help.isVisible());
}

// --- Links -----------------------------------------------------------------

TEST_F(DialogsTest, LinkClickOpensItsAddressAndLeavesTheDialogOpen) {
    TAboutBox about;
    struct LinkCase {
        const char* name;
        const TLabel& link;
        QString address;
    };
    const LinkCase links[] = {
        {"Comments", *about.Comments, QStringLiteral("https://kestrava.example/")},
        {"Label3", *about.Label3, QStringLiteral("https://hry.kestrava.example/")},
    };
    for (const LinkCase& link : links) {
        SCOPED_TRACE(link.name);
        // The desktop cannot open it: no browser, no network.
        QStringList opened;
        ScopedUrlOpener failing([&opened](const QUrl& url) {
            opened << url.toString();
            return false;
        });
        const int result = execWith(about, [&] {
            QTest::mouseClick(about.Panel1, Qt::LeftButton, {}, onFirstLine(link.link));
        });
        EXPECT_EQ(result, LeftOpen);
        EXPECT_EQ(opened, QStringList{link.address});
    }
    EXPECT_TRUE(reporter.reports.empty());
}

TEST_F(DialogsTest, ClickBesideTheLinksOpensNothing) {
    TAboutBox about;
    QStringList opened;
    ScopedUrlOpener recording([&opened](const QUrl& url) {
        opened << url.toString();
        return true;
    });
    const QRect label3 = about.Label3->BoundsRect();
    const QPoint besideLabel3(label3.right() + 4, label3.center().y());
    const QPoint belowComments = about.Comments->BoundsRect().bottomLeft() + QPoint(0, 4);
    EXPECT_EQ(execWith(about,
                       [&] {
                           QTest::mouseClick(about.Panel1, Qt::LeftButton, {}, besideLabel3);
                           QTest::mouseClick(about.Panel1, Qt::LeftButton, {}, belowComments);
                       }),
              LeftOpen);
    EXPECT_TRUE(opened.isEmpty());
}

// Stands in for the desktop's browser for one scheme.
class BrowserStandIn : public QObject {
    Q_OBJECT
public:
    explicit BrowserStandIn(const QString& scheme) : scheme_(scheme) {
        QDesktopServices::setUrlHandler(scheme_, this, "open");
    }
    ~BrowserStandIn() override { QDesktopServices::unsetUrlHandler(scheme_); }
    QStringList opened;

public slots:
    void open(const QUrl& url) { opened << url.toString(); }

private:
    QString scheme_;
};

TEST_F(DialogsTest, LinksGoToTheDesktopWhenNoOpenerIsInstalled) {
    TAboutBox about;
    BrowserStandIn browser(QStringLiteral("https"));
    about.CommentsClick();
    about.Label3Click();
    EXPECT_EQ(browser.opened, (QStringList{QStringLiteral("https://kestrava.example/"),
                                           QStringLiteral("https://hry.kestrava.example/")}));
}

// --- Modality --------------------------------------------------------------

// A title window stand-in: a clickable scene with the application-wide F1
// shortcut that opens the Help dialog.
struct OtherWindow {
    OtherWindow() {
        scene.OnClick = [this] { ++clicks; };
        QObject::connect(&f1, &QShortcut::activated, [this] { ++f1Presses; });
        scene.show();
    }
    void click() {
        QTest::mouseClick(scene.windowHandle(), Qt::LeftButton, {}, QPoint(10, 10));
    }
    TScene scene{nullptr, QSize(100, 100), Qt::black};
    QShortcut f1{QKeySequence(Qt::Key_F1), &scene, nullptr, nullptr, Qt::ApplicationShortcut};
    int clicks = 0;
    int f1Presses = 0;
};

TEST_F(DialogsTest, WhileADialogIsUpOtherWindowsTakeNoInputButTimersTick) {
    OtherWindow other;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other.scene));
    // Before: the window takes clicks and F1.
    other.click();
    QTest::keyClick(&other.scene, Qt::Key_F1);
    ASSERT_EQ(other.clicks, 1);
    ASSERT_EQ(other.f1Presses, 1);

    TAboutBox1 help;
    int ticks = 0;
    TTimer gameTimer(FastTimerMs, true);
    gameTimer.setOnTimer([&] {
        if (++ticks == TicksWhileModal)
            help.OKButtonClick();
    });
    QTimer::singleShot(0, &help, [&] {
        other.click();
        QTest::keyClick(&other.scene, Qt::Key_F1);
    });
    QTimer::singleShot(ModalLoopGuardMs, &help, [&] { help.done(LeftOpen); });
    EXPECT_EQ(help.exec(), QDialog::Accepted);
    gameTimer.setEnabled(false);

    EXPECT_EQ(ticks, TicksWhileModal);
    EXPECT_EQ(other.clicks, 1);
    EXPECT_EQ(other.f1Presses, 1);
}

TEST_F(DialogsTest, F1InsideAnOpenDialogDoesNothing) {
    OtherWindow other;
    TAboutBox about;
    TAboutBox1 help;
    for (QDialog* dialog : std::vector<QDialog*>{&about, &help}) {
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        const int result = execWith(*dialog, [&] {
            QWidget* focus = dialog->focusWidget() ? dialog->focusWidget() : dialog;
            QTest::keyClick(focus, Qt::Key_F1);
        });
        EXPECT_EQ(result, LeftOpen);
    }
    EXPECT_EQ(other.f1Presses, 0);
    // The shortcut itself works once no dialog is up.
    QTest::keyClick(&other.scene, Qt::Key_F1);
    EXPECT_EQ(other.f1Presses, 1);
}

}  // namespace

#include "dialogs_test.moc"
