// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Unit2.h"

#include "framework/Errors.h"
#include "framework/Fonts.h"
#include "framework/Palette.h"
#include "framework/IntConv.h"
#include "framework/Picture.h"
#include "game/GameRules.h"

#include <QCoreApplication>

namespace kestrava {

namespace {

const QColor Yellow(0xFF, 0xFF, 0x00);
const QColor EndBoxFill(0x00, 0x00, 0x51);
const QColor Maroon(0x80, 0x00, 0x00);
const QColor RedLamp(0xFF, 0x00, 0x00);
const QColor GreenLamp(0x00, 0xFF, 0x00);

QImage picture(const char* name) {
    return loadPicture(QStringLiteral(":/pictures/") + QLatin1String(name));
}

QFont statusFont() { return face(QStringLiteral("Tw Cen MT"), 16, true); }
QFont ledFont(int pixels) { return face(QStringLiteral("LED"), pixels); }

}  // namespace

TForm2::TForm2(sound::SoundSystem& sounds)
    : TForm(QStringLiteral("Kestrava"), GameClientSize, Qt::black),
      Timer1(rules::Bus.timerMs, false),
      Timer4(rules::Tram.timerMs, false),
      Timer3(rules::Truck.timerMs, false),
      Timer5(rules::Motorka.timerMs, false),
      semafor(rules::LightHaltMs, false),
      semafor1(rules::LightHaltMs, false),
      semafor2(rules::LightHaltMs, false),
      semafor3(rules::LightHaltMs, false),
      hodinky(1000, false),
      Timer2(1000, true) {
    buildScene();
    openSounds(sounds);
    bindHandlers();
    dispatch([this] { FormCreate(); });
}

TForm2::~TForm2() = default;

void TForm2::buildScene() {
    TScene& scene = client();
    Lscore = std::make_unique<TLabel>(scene, QPoint(400, 390), QString(), ledFont(20), Yellow);
    buildDecks();
    buildVehicles();
    buildLights();
    buildStatus();
    Ploska = new TScene(&scene, QSize(55, 17), Maroon, TScene::Border::Raised);
    Ploska->move(217, 405);
    buildEndPanel();
    addMenuEntry(addMenu(QCoreApplication::translate("TForm2", "Game")), QCoreApplication::translate("TForm2", "Close"),
                 QKeySequence(QStringLiteral("Ctrl+Z")), [this] { Ukonit1Click(); });
}

void TForm2::buildDecks() {
    TScene& s = client();
    auto deckBlue = [&s](int left, int top, int width, int height) {
        return deckShape(s, QRect(left, top, width, height));
    };
    const QImage deck = picture("deck.bmp");
    auto deckPicture = [&s, &deck](int left, int top) {
        return std::make_unique<TImage>(s, QRect(left, top, 214, 29), deck);
    };
    Shape1 = deckBlue(0, 70, 217, 33);
    Shape2 = deckBlue(272, 70, 214, 33);
    Shape7 = deckBlue(0, 355, 217, 33);
    Shape8 = deckBlue(272, 355, 214, 33);
    Shape9 = deckBlue(0, 424, 489, 9);
    Shape10 = deckBlue(0, 0, 489, 14);
    Image2 = std::make_unique<TImage>(s, QRect(72, 104, 354, 230), picture("background.bmp"));
    Shape11 = deckBlue(0, 175, 217, 33);
    Shape3 = deckBlue(272, 175, 214, 33);
    Shape4 = deckBlue(0, 270, 217, 33);
    Shape5 = deckBlue(272, 270, 214, 33);
    bus01 = std::make_unique<TImage>(s, QRect(560, 29, 99, 42), picture("bus.bmp"), true);
    Image1 = deckPicture(1, 72);
    Image3 = deckPicture(273, 177);
    Image4 = deckPicture(273, 72);
    Image5 = deckPicture(1, 272);
    Image6 = deckPicture(1, 177);
    Image7 = deckPicture(273, 357);
    Image8 = deckPicture(1, 357);
    Image9 = deckPicture(273, 272);
}

void TForm2::buildVehicles() {
    TScene& s = client();
    kamion = std::make_unique<TImage>(s, QRect(-200, 222, 124, 52), picture("truck.bmp"), true);
    hodiny = std::make_unique<TLabel>(s, QPoint(80, 390), QStringLiteral("140"), ledFont(20),
                                      Yellow);
    tramvaj = std::make_unique<TImage>(s, QRect(700, 131, 148, 47), picture("tram.bmp"), true);
    Shape12 = std::make_unique<TShape>(s, QRect(0, 130, 489, 5), palette::Silver, Qt::black);
    const QImage mast = picture("mast.bmp");
    auto mastAt = [&s, &mast](int left) {
        return std::make_unique<TImage>(s, QRect(left, 128, 51, 46), mast, true);
    };
    Image11 = mastAt(96);
    Image12 = mastAt(256);
    Image13 = mastAt(192);
    Image14 = mastAt(8);
    Image15 = mastAt(432);
    Image16 = mastAt(352);
    motorka = std::make_unique<TImage>(s, QRect(500, 319, 99, 42), picture("motorka.bmp"), true);
}

void TForm2::buildLights() {
    TScene& s = client();
    const QImage post = picture("post.bmp");
    auto postAt = [&s, &post](int left, int top) {
        auto item = std::make_unique<TImage>(s, QRect(left, top, 16, 39), post, true);
        item->Cursor = Qt::PointingHandCursor;
        return item;
    };
    Image10 = postAt(272, 31);
    Image17 = postAt(200, 231);
    Image18 = postAt(272, 136);
    Image19 = postAt(272, 316);
    auto lamp = [&s](int left, int top, QColor colour, bool visible) {
        auto item = std::make_unique<TShape>(s, QRect(left, top, 6, 6), colour, colour,
                                             TShape::Kind::Circle);
        item->Cursor = Qt::ForbiddenCursor;
        item->setVisible(visible);
        return item;
    };
    red01 = lamp(277, 34, RedLamp, false);
    zel01 = lamp(277, 42, GreenLamp, true);
    red02 = lamp(277, 138, RedLamp, false);
    zel02 = lamp(277, 146, GreenLamp, true);
    red03 = lamp(205, 234, RedLamp, false);
    zel03 = lamp(205, 242, GreenLamp, true);
    red04 = lamp(277, 318, RedLamp, false);
    zel04 = lamp(277, 326, GreenLamp, true);
}

void TForm2::buildStatus() {
    TScene& s = client();
    const QImage life = picture("life.bmp");
    auto lifeAt = [&s, &life](int left) {
        return std::make_unique<TImage>(s, QRect(left, 18, 19, 16), life, true);
    };
    life01 = lifeAt(71);
    life02 = lifeAt(88);
    life03 = lifeAt(104);
    life04 = lifeAt(120);
    Label6 = std::make_unique<TLabel>(s, QPoint(32, 390), QCoreApplication::translate("TForm2", "Time :"),
                                      statusFont(), Qt::white);
    Label7 = std::make_unique<TLabel>(s, QPoint(336, 392), QCoreApplication::translate("TForm2", "Score :"),
                                      statusFont(), Qt::white);
    Label8 = std::make_unique<TLabel>(s, QPoint(9, 15), QCoreApplication::translate("TForm2", "Lives :"),
                                      statusFont(), Qt::white);
}

void TForm2::buildEndPanel() {
    konechry = new TScene(&client(), QSize(489, 433), Qt::black);
    konechry->move(0, 0);
    konechry->hide();
    TScene& p = *konechry;
    const TextStyle boxText{statusFont(), Qt::white, EndBoxFill};
    Shape6 = std::make_unique<TShape>(p, QRect(80, 64, 329, 289), EndBoxFill, palette::DeckOutline);
    Label1 = std::make_unique<TLabel>(p, QPoint(96, 200), QString(), ledFont(27), Qt::white);
    Label2 = std::make_unique<TLabel>(p, QPoint(96, 144),
                                      QCoreApplication::translate("TForm2", "Tvé dosažené skóre je:"), statusFont(),
                                      Qt::white);
    Label3 = std::make_unique<TLabel>(p, QPoint(288, 272), QString(),
                                      face(QStringLiteral("MS Sans Serif"), 11), Qt::white);
    Label3->Hide();
    Label4 = std::make_unique<TLabel>(
        p, QPoint(96, 256), QCoreApplication::translate("TForm2", "Blahopřeji, dosáhli jste nejvyššího skóre."),
        statusFont(), Qt::white);
    Label4->Hide();
    Label5 = std::make_unique<TLabel>(p, QPoint(288, 400),
                                      QCoreApplication::translate("TForm2", "Pro ukončení stiskněte Enter"),
                                      face(QStringLiteral("Tw Cen MT"), 13, true), Qt::white);
    Label9 = std::make_unique<TLabel>(p, QPoint(96, 168),
                                      QCoreApplication::translate("TForm2", "Congratulations. Your score is:"),
                                      statusFont(), Qt::white);
    Memo1 = new TMemo(&p, QRect(96, 88, 305, 49), boxText,
                      {QCoreApplication::translate("TForm2", "Blahopřeji, právě jsi dohrál "),
                       QCoreApplication::translate("TForm2", "freeware hru Kestrava."), QString()});
    ListBox1 = new TListBox(&p, QRect(104, 304, 81, 41), {ledFont(27), Qt::white, EndBoxFill}, 28);
    ListBox1->hide();
    bohuzel = new TMemo(&p, QRect(88, 88, 313, 249), boxText,
                        {QCoreApplication::translate("TForm2", "Je mi líto, ale ztratil si všechny životy."), QString(),
                         QCoreApplication::translate("TForm2", "Zkus štěstí znovu!;)"), QString(), QString(),
                         QString(21, QLatin1Char(' ')),
                         QString(28, QLatin1Char(' ')) + QStringLiteral("GAME OVER")});
    bohuzel->hide();
}

void TForm2::openSounds(sound::SoundSystem& sounds) {
    autobus = sounds.open(QStringLiteral("sounds/autobus.wav"));
    crash = sounds.open(QStringLiteral("sounds/crash.wav"));
    motorkapl = sounds.open(QStringLiteral("sounds/motorka.wav"));
    kamionpl = sounds.open(QStringLiteral("sounds/kamion.wav"));
    tep = sounds.open(QStringLiteral("sounds/tep.wav"));
}

void TForm2::bindHandlers() {
    OnShow = [this] { FormShow(); };
    OnHide = [this] { FormHide(); };
    OnClose = [this] { FormClose(); };
    client().OnClick = [this] { FormClick(); };
    client().OnKeyDown = [this](int key) { FormKeyDown(key); };
    client().OnKeyPress = [this](int key) { FormKeyPress(key); };
    Image10->OnClick = [this] { Image10Click(); };
    Image18->OnClick = [this] { Image18Click(); };
    Image17->OnClick = [this] { Image17Click(); };
    Image19->OnClick = [this] { Image19Click(); };
    Timer1.setOnTimer([this] { Timer1Timer(); });
    Timer4.setOnTimer([this] { Timer4Timer(); });
    Timer3.setOnTimer([this] { Timer3Timer(); });
    Timer5.setOnTimer([this] { Timer5Timer(); });
    semafor.setOnTimer([this] { semaforTimer(); });
    semafor1.setOnTimer([this] { semafor1Timer(); });
    semafor2.setOnTimer([this] { semafor2Timer(); });
    semafor3.setOnTimer([this] { semafor3Timer(); });
    hodinky.setOnTimer([this] { hodinkyTimer(); });
    Timer2.setOnTimer([this] { Timer2Timer(); });
}

}  // namespace kestrava
