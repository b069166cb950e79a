// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/AboutBox.h"

#include "dialogs/DialogFrame.h"
#include "dialogs/LinkOpener.h"
#include "framework/Fonts.h"
#include "framework/Picture.h"

#include <QCoreApplication>
#include <QShowEvent>

namespace kestrava {

const QUrl TAboutBox::AuthorPage(QStringLiteral("https://kestrava.example/"));
const QUrl TAboutBox::SupportingSite(QStringLiteral("https://hry.kestrava.example/"));
const QString TAboutBox::SupportingSiteName = QStringLiteral("Kestrava Hry");

namespace {

constexpr QSize ClientSize(300, 225);
constexpr QRect Panel1Bounds(25, 30, 250, 165);
constexpr QRect Panel2Bounds(10, 8, 79, 65);
constexpr QRect Image1Bounds(1, 1, 74, 60);
constexpr int CommentsWrapWidth = 192;
constexpr QRect OKButtonBounds(223, 200, 50, 21);

const QString TextFace = QStringLiteral("Tw Cen MT");
QFont titleFont() { return face(TextFace, 16, true, true); }
QFont textFont() { return face(TextFace, 13, true); }
QFont linkFont() { return face(TextFace, 15); }
QFont buttonFont() { return face(TextFace, 11, true); }

}  // namespace

TAboutBox::TAboutBox()
    : client_(setUpDialogWindow(*this, QCoreApplication::translate("TAboutBox", "About"), ClientSize)) {
    buildFrame();
    buildPanel();
    bindHandlers();
}

TAboutBox::~TAboutBox() = default;

void TAboutBox::buildFrame() {
    TScene& s = *client_;
    Shape1 = deckShape(s, QRect(275, 0, 25, 225));
    Shape3 = deckShape(s, QRect(0, 0, 25, 225));
    Shape4 = deckShape(s, QRect(24, 0, 252, 28));
    Shape2 = deckShape(s, QRect(24, 197, 252, 28));
    Panel1 = new TScene(&s, Panel1Bounds.size(), DialogBackground);
    Panel1->move(Panel1Bounds.topLeft());
    // On the dialog itself, not on the client scene: keys the button leaves
    // alone go up to the dialog, whose Enter clicks the default button.
    OKButton = new TButton(this, OKButtonBounds, QCoreApplication::translate("TAboutBox", "OK"), buttonFont());
    OKButton->setDefault(true);
}

void TAboutBox::buildPanel() {
    TScene& p = *Panel1;
    Panel2 = new TScene(&p, Panel2Bounds.size(), DialogBackground, TScene::Border::Single);
    Panel2->move(Panel2Bounds.topLeft());
    Image1 = std::make_unique<TImage>(*Panel2, Image1Bounds,
                                      loadPicture(QStringLiteral(":/pictures/about.jpg")),
                                      false, true);
    ProductName = std::make_unique<TLabel>(p, QPoint(104, 8), QStringLiteral("Kestrava"),
                                           titleFont(), Qt::white);
    Version = std::make_unique<TLabel>(p, QPoint(104, 32), QCoreApplication::translate("TAboutBox", "Version: 1.01"),
                                       textFont(), Qt::white);
    Credit = std::make_unique<TLabel>(p, QPoint(8, 80),
                                      QCoreApplication::translate("TAboutBox", "Autor: Tým Kestrava, 2026"), textFont(),
                                      Qt::white);
    Comments = std::make_unique<TLabel>(p, QPoint(8, 96), AuthorPage.toString(), linkFont(),
                                        LinkColour, CommentsWrapWidth);
    Comments->Cursor = Qt::PointingHandCursor;
    Label2 = std::make_unique<TLabel>(p, QPoint(8, 128), QCoreApplication::translate("TAboutBox", "Podpořeno serverem"),
                                      textFont(), Qt::white);
    Label3 = std::make_unique<TLabel>(p, QPoint(144, 128), SupportingSiteName, linkFont(),
                                      LinkColour);
    Label3->Cursor = Qt::PointingHandCursor;
}

void TAboutBox::bindHandlers() {
    OKButton->OnClick = [this] { OKButtonClick(); };
    Comments->OnClick = [this] { CommentsClick(); };
    Label3->OnClick = [this] { Label3Click(); };
}

void TAboutBox::OKButtonClick() { accept(); }

void TAboutBox::CommentsClick() { openLink(AuthorPage); }

void TAboutBox::Label3Click() { openLink(SupportingSite); }

void TAboutBox::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        centreOnScreen(*this);
    QDialog::showEvent(event);
}

}  // namespace kestrava
