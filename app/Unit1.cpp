// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Unit1.h"

#include "app/Application.h"
#include "dialogs/AboutBox.h"
#include "dialogs/HelpBox.h"
#include "framework/Errors.h"
#include "framework/Fonts.h"
#include "framework/Palette.h"
#include "framework/Picture.h"
#include "game/Unit2.h"
#include "score/ScoreFile.h"

#include <QCoreApplication>
#include <QMenu>

namespace kestrava {

namespace {
const QColor& Background = palette::WindowBlue;
const QColor StartPanel(0x00, 0x00, 0x59);
const QColor ScoreDigits(0x80, 0xFF, 0xFF);
}  // namespace

TForm1::TForm1() : TForm(QStringLiteral("Kestrava"), GameClientSize, Background) {
    buildFrame();
    buildScoreBox();
    buildPictureButtons();
    buildMenu();
    OnShow = [this] { FormShow(); };
    client().OnKeyPress = [this](int key) {
        // "Reset score" is the window's default button.
        if (key == KeyEnter)
            Button1Click();
    };
    dispatch([this] { FormCreate(); });
}

TForm1::~TForm1() = default;

void TForm1::buildFrame() {
    TScene& s = client();
    auto deck = [&s](int left, int top, int width, int height) {
        return deckShape(s, QRect(left, top, width, height));
    };
    Image1 = std::make_unique<TImage>(s, QRect(36, 32, 412, 260),
                                      loadPicture(QStringLiteral(":/pictures/title.bmp")));
    Shape1 = deck(0, 0, 487, 25);
    Shape2 = deck(0, 24, 30, 409);
    Shape3 = deck(29, 296, 428, 41);
    Shape4 = deck(456, 24, 30, 409);
    Shape5 = deck(29, 400, 428, 33);
    Label1 = std::make_unique<TLabel>(s, QPoint(184, 408),
                                      QCoreApplication::translate("TForm1", "Tým Kestrava, 2026"),
                                      face(QStringLiteral("MS Sans Serif"), 11, true),
                                      palette::Silver);
    Shape7 = std::make_unique<TShape>(s, QRect(368, 32, 25, 9), Background, Background);
    Shape6 = deck(176, 336, 137, 65);
}

void TForm1::buildScoreBox() {
    TScene& s = client();
    Label3 = std::make_unique<TLabel>(s, QPoint(220, 337), QCoreApplication::translate("TForm1", "Highscore"),
                                      face(QStringLiteral("Tw Cen MT"), 11, true), Qt::white);
    Label2 = std::make_unique<TLabel>(s, QPoint(208, 304),
                                      QCoreApplication::translate("TForm1", "Verze 1.01"),
                                      face(QStringLiteral("Tw Cen MT"), 16, true),
                                      palette::DeckOutline);
}

void TForm1::buildPictureButtons() {
    TScene& s = client();
    Panel1 = new TScene(&s, QSize(129, 49), StartPanel);
    Panel1->move(320, 344);
    Image2 = std::make_unique<TImage>(*Panel1, QRect(5, 1, 130, 45),
                                      loadPicture(QStringLiteral(":/pictures/start.jpg")));
    Image2->Cursor = Qt::PointingHandCursor;
    Image2->Hint = QCoreApplication::translate("TForm1", "Spusť hru!!");
    Image2->OnClick = [this] { Image2Click(); };

    Panel2 = new TScene(&s, QSize(139, 49), Background);
    Panel2->move(30, 344);
    Image3 = std::make_unique<TImage>(*Panel2, QRect(6, 1, 130, 45),
                                      loadPicture(QStringLiteral(":/pictures/exit.jpg")));
    Image3->Cursor = Qt::PointingHandCursor;
    Image3->Hint = QCoreApplication::translate("TForm1", "Ukonči hru!!");
    Image3->OnClick = [this] { Image3Click(); };

    ListBox1 = new TListBox(&s, QRect(216, 352, 65, 25),
                            {face(QStringLiteral("LED"), 27), ScoreDigits, palette::DeckFill}, 28);
    ListBox1->setEnabled(false);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    Button1 = new TButton(&s, QRect(208, 383, 73, 17), QCoreApplication::translate("TForm1", "Reset score"),
                          face(QStringLiteral("Tw Cen MT"), 11, true));
    Button1->setCursor(Qt::PointingHandCursor);
    Button1->setToolTip(QCoreApplication::translate("TForm1", "Vynuluj skóre!!"));
    Button1->setFocusPolicy(Qt::NoFocus);
    Button1->OnClick = [this] { Button1Click(); };
}

void TForm1::buildMenu() {
    QMenu* game = addMenu(QCoreApplication::translate("TForm1", "Game"));
    addMenuEntry(game, QCoreApplication::translate("TForm1", "Close"), QKeySequence(QStringLiteral("Ctrl+Z")),
                 [this] { Ukonit1Click(); });
    QMenu* help = addMenu(QCoreApplication::translate("TForm1", "Help"));
    addMenuEntry(help, QCoreApplication::translate("TForm1", "About game"), QKeySequence(), [this] { Ohe1Click(); });
    QAction* helpEntry = addMenuEntry(help, QCoreApplication::translate("TForm1", "Nápověda/Help"),
                                      QKeySequence(Qt::Key_F1), [this] { Npovda1Click(); });
    // F1 opens the help from the game window too; a modal dialog blocks it.
    helpEntry->setShortcutContext(Qt::ApplicationShortcut);
}

void TForm1::FormCreate() { ListBox1->setItems(loadScoreFile()); }

void TForm1::FormShow() { ListBox1->setItems(loadScoreFile()); }

void TForm1::Image2Click() {
    if (Form2)
        Form2->Show();
}

void TForm1::Image3Click() { Close(); }

void TForm1::Ukonit1Click() { Close(); }

void TForm1::Button1Click() {
    ListBox1->setItems(withBestReplaced(ListBox1->Items(), ResetScore));
    saveScoreFile(ListBox1->Items());
}

void TForm1::Ohe1Click() {
    if (AboutBox)
        AboutBox->exec();
}

void TForm1::Npovda1Click() {
    if (AboutBox1)
        AboutBox1->exec();
}

}  // namespace kestrava
