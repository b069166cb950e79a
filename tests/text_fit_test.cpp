// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Every fixed text of every window, painted in its face and size, inks only
// inside its box: a label inside the frame shape or the gap it stands in, a
// help line inside the list's visible width beside its scroll bar, a button
// caption inside the button. The texts are read from the windows themselves,
// so the test checks whichever language the environment chose; ctest runs it
// in Czech and in English, at scale 1 and at QT_SCALE_FACTOR=2.

#include "app/Unit1.h"
#include "assets/Assets.h"
#include "dialogs/AboutBox.h"
#include "dialogs/HelpBox.h"
#include "framework/Fonts.h"
#include "game/Unit2.h"
#include "translations/Translations.h"
#include "tests/GameFixture.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <gtest/gtest.h>

using namespace kestrava;
using kestrava::testing::RecordingReporter;
using kestrava::testing::TemporaryWorkingDirectory;

namespace {

// One text as a window paints it: its face, where its line box starts and the
// box its ink must stay in, in the same coordinates.
struct PaintedText {
    QString item;
    QString text;
    QFont font;
    QPoint origin;
    QRect box;
};

// Where `text` inks when drawn as a label draws it, with its line box's top
// left at `origin`: found in the pixels, at the screen's own scale.
QRect inkOf(const PaintedText& t) {
    const qreal scale = qApp->devicePixelRatio();
    constexpr int Pad = 40;
    const QFontMetrics metrics(t.font);
    const QSize logical(metrics.horizontalAdvance(t.text) + 2 * Pad, metrics.height() + 2 * Pad);
    QImage image(logical * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(t.font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(QPoint(Pad, Pad), logical), Qt::AlignLeft | Qt::AlignTop, t.text);
    }
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    if (right < 0)
        return QRect();
    // Device pixels back to the layout's pixels, rounded outwards.
    const QRect ink(QPoint(int(std::floor(left / scale)), int(std::floor(top / scale))),
                    QPoint(int(std::ceil((right + 1) / scale)) - 1,
                           int(std::ceil((bottom + 1) / scale)) - 1));
    return ink.translated(t.origin - QPoint(Pad, Pad));
}

QString describe(const QRect& r) {
    return QStringLiteral("x %1..%2 y %3..%4")
        .arg(r.left()).arg(r.right() + 1).arg(r.top()).arg(r.bottom() + 1);
}

PaintedText labelIn(const char* item, const TLabel& label, QRect box) {
    return {QString::fromLatin1(item), label.Caption(), label.Font(), label.BoundsRect().topLeft(),
            box};
}

// A caption centred in a button must fit the button's contents rectangle.
PaintedText buttonCaption(const char* item, const TButton& button) {
    QStyleOptionButton option;
    option.initFrom(&button);
    option.text = button.text();
    const QRect contents = button.style()->subElementRect(QStyle::SE_PushButtonContents, &option,
                                                          &button);
    const int ink = QFontMetrics(button.font()).horizontalAdvance(button.text());
    const QPoint origin(contents.left() + (contents.width() - ink) / 2, contents.top());
    return {QString::fromLatin1(item), button.text(), button.font(), origin,
            contents.adjusted(0, -100, 0, 100)};
}

// Each line of a list inside the visible width beside the scroll bar; the
// item view starts its text after a small padding.
void addListLines(std::vector<PaintedText>& rows, const char* item, TListBox& list) {
    const int padding = list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
    const int width = list.viewport()->width();
    for (int i = 0; i < list.count(); ++i)
        rows.push_back({QStringLiteral("%1 line %2").arg(QLatin1String(item)).arg(i + 1),
                        list.item(i)->text(), list.font(), QPoint(padding, 0),
                        QRect(0, -100, width, 200)});
}

void addMemoLines(std::vector<PaintedText>& rows, const char* item, const TMemo& memo) {
    const QStringList lines = memo.toPlainText().split(QLatin1Char('\n'));
    // Minus one column for the text cursor at the end of a line.
    const int width = memo.contentsRect().width() - 1;
    for (int i = 0; i < lines.size(); ++i)
        rows.push_back({QStringLiteral("%1 line %2").arg(QLatin1String(item)).arg(i + 1),
                        lines[i], memo.font(), QPoint(0, 0), QRect(0, -100, width, 200)});
}

struct TextFitTest : ::testing::Test {
    TextFitTest() {
        initAssets();
        registerFontSubstitutes();
        installTranslations();
        TemporaryWorkingDirectory::write(QStringLiteral("score"), "0000\r\n");
    }
    TemporaryWorkingDirectory workDir;
    RecordingReporter reporter;
    ScopedErrorReporter scopedReporter{reporter};
};

}  // namespace

TEST_F(TextFitTest, EveryTextOfEveryWindowInksInsideItsBox) {
    VirtualClock clock;
    kestrava::testing::RecordingSoundSystem sounds(clock);
    TForm1 title;
    TForm2 game(sounds);
    TAboutBox about;
    TAboutBox1 help;
    help.show();  // lays the list out with its scroll bar
    // The labels that show numbers, at their widest in play.
    game.hodiny->setCaption(QStringLiteral("140"));
    game.Lscore->setCaption(QStringLiteral("1270"));
    game.Label1->setCaption(QStringLiteral("1270"));

    // Boxes: the frame shape a label stands on, or the gap between the items
    // to its left and right (above the link below it: the credit's
    // descenders may reach into the link's line, not into its letters).
    const PaintedText authorLink = labelIn("about author link", *about.Comments,
                                           QRect(8, 90, about.Comments->Width(),
                                                 about.Label2->Top() - 90));
    std::vector<PaintedText> rows = {
        labelIn("title credit", *title.Label1, title.Shape5->BoundsRect()),
        labelIn("title highscore", *title.Label3, title.Shape6->BoundsRect()),
        labelIn("title version", *title.Label2, title.Shape3->BoundsRect()),
        buttonCaption("title reset button", *title.Button1),
        labelIn("game lives", *game.Label8, QRect(0, 14, game.life01->Left(), 56)),
        labelIn("game time", *game.Label6, QRect(0, 388, game.hodiny->Left(), 36)),
        labelIn("game clock", *game.hodiny, QRect(80, 388, 137, 36)),
        labelIn("game score caption", *game.Label7, QRect(272, 388, game.Lscore->Left() - 272, 36)),
        labelIn("game score", *game.Lscore, QRect(400, 388, 87, 36)),
        labelIn("end score caption", *game.Label2, game.Shape6->BoundsRect()),
        labelIn("end score caption 2", *game.Label9, game.Shape6->BoundsRect()),
        labelIn("end best score", *game.Label4, game.Shape6->BoundsRect()),
        labelIn("end final score", *game.Label1, game.Shape6->BoundsRect()),
        labelIn("end press Enter", *game.Label5, QRect(0, 353, 489, 80)),
        labelIn("about name", *about.ProductName, QRect(90, 0, 160, 165)),
        labelIn("about version", *about.Version, QRect(90, 0, 160, 165)),
        labelIn("about credit", *about.Credit, QRect(0, 73, 250, inkOf(authorLink).top() - 73)),
        authorLink,
        labelIn("about supported by", *about.Label2, QRect(0, 120, about.Label3->Left(), 45)),
        labelIn("about site link", *about.Label3, QRect(144, 120, 106, 45)),
        buttonCaption("about OK", *about.OKButton),
        labelIn("help title", *help.Label1, help.Shape1->BoundsRect()),
        buttonCaption("help OK", *help.OKButton),
    };
    addListLines(rows, "help", *help.ListBox1);
    addMemoLines(rows, "end text", *game.Memo1);
    addMemoLines(rows, "game over text", *game.bohuzel);

    QStringList misfits;
    for (const PaintedText& row : rows) {
        const QRect ink = inkOf(row);
        if (!ink.isNull() && !row.box.contains(ink))
            misfits << QStringLiteral("%1 | \"%2\" | %3 %4px%5 | ink %6 | box %7")
                           .arg(row.item, row.text, QFontInfo(row.font).family())
                           .arg(row.font.pixelSize())
                           .arg(row.font.bold() ? QStringLiteral(" bold") : QString(),
                                describe(ink), describe(row.box));
    }
    EXPECT_EQ(misfits.join(QLatin1Char('\n')), QString())
        << "scale " << qApp->devicePixelRatio() << ", item | text | face | ink | box";
    help.hide();
}
