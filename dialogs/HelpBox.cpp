// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/HelpBox.h"

#include "dialogs/DialogFrame.h"
#include "framework/Fonts.h"

#include <QShowEvent>
#include <QStyledItemDelegate>

namespace kestrava {

const QStringList HelpLines = {
    QStringLiteral("Nápověda:"),
    QString(),
    QStringLiteral("Hru ovládáte vertikálními šipkami, jejichž pomocí máte za úkol "),
    QStringLiteral("přemostit silnici, na které se pohybují dopravní prostředky."),
    QString(),
    QStringLiteral("Aby vůz bezpečně projel, musíte plošinku dostat do roviny se silnicí."),
    QString(),
    QStringLiteral("Hra je omezena limitem 140 vteřin."),
    QString(),
    QStringLiteral("Za každý projetý vůz získáte 50 bodů, za projetou tramvaj"),
    QStringLiteral("získáte 70 bodů (protože veze nejvíce lidí), za zničený vůz "),
    QStringLiteral("ztratíte život."),
    QString(),
    QStringLiteral("Abyste to stíhali, máte k dispozici čtyři semafory u každého patra. "),
    QStringLiteral("Kliknutím na ně (na jejich sloupy) se vozy v daném patře zastaví"),
    QStringLiteral("na pět vteřin. "),
    QStringLiteral("Každý lze použít pouze dvakrát. Pokud  i přesto nestihnete "),
    QStringLiteral("pomoci nějakému vozidlu přejet na druhou stranu, ztratíte jeden "),
    QStringLiteral("z pěti životů. "),
    QString(),
    QStringLiteral("Každý semafor můžete použít jen dvakrát, takže si pořádně "),
    QStringLiteral("rozmyslete, kdy ho použít."),
    QString(),
    QStringLiteral("Z dolní části můžete rovnou přeskočit nahoru, když se"),
    QStringLiteral("dostanete na dolní okraj."),
    QString(),
    QStringLiteral("Když budete tak dobří a některý semafor ani nepoužijete,"),
    QStringLiteral("na konci hry se k dosaženému skóre přičte za každý "),
    QStringLiteral("nepoužitý semafor 60 bodů a za každý zbylý život 70 bodů."),
    QString(),
    QStringLiteral("Po ukončení se hra zavře stisknutím Enter."),
    QString(),
    QStringLiteral("Hodně štěstí!;)"),
    QStringLiteral("_______________________________________"),
    QString(),
    QStringLiteral("You are using Up and Down key to move with "),
    QStringLiteral("brown rectangle."),
    QString(),
    QStringLiteral("You have to bridge over interrupted road and"),
    QStringLiteral("help vehicles to get to the left side."),
    QString(),
    QStringLiteral("You could click on four semaphores but "),
    QStringLiteral("each of them only twice. They will stop vehicle"),
    QStringLiteral("for 5 seconds."),
    QString(),
    QStringLiteral("For this game you have only 140 seconds."),
    QString(),
    QStringLiteral("Good luck!"),
};

namespace {

constexpr QSize ClientSize(413, 326);
constexpr QRect ListBox1Bounds(44, 57, 325, 213);
constexpr int ListItemHeight = 14;
constexpr QRect OKButtonBounds(167, 284, 75, 25);
const QColor TitleColour(0x00, 0x80, 0xC0);

const QString TextFace = QStringLiteral("Tw Cen MT");

// Draws the lines left to right and left-aligned in a list that is laid out
// right to left only so that its scroll bar sits on the left.
class LeftToRightText : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->direction = Qt::LeftToRight;
        option->displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    }
};

}  // namespace

TAboutBox1::TAboutBox1()
    : client_(setUpDialogWindow(*this, QStringLiteral("Nápověda"), ClientSize)) {
    buildFrame();
    buildControls();
    OKButton->OnClick = [this] { OKButtonClick(); };
}

TAboutBox1::~TAboutBox1() = default;

void TAboutBox1::buildFrame() {
    TScene& s = *client_;
    Shape1 = deckShape(s, QRect(0, 0, 413, 57));
    Shape2 = deckShape(s, QRect(0, 270, 413, 57));
    Shape4 = deckShape(s, QRect(0, 56, 44, 215));
    Shape3 = deckShape(s, QRect(369, 56, 44, 215));
    Label1 = std::make_unique<TLabel>(s, QPoint(48, 16), QStringLiteral("NÁPOVĚDA/HELP"),
                                      face(TextFace, 27, true, true), TitleColour);
}

// The windowed controls sit on the dialog itself, not on the client scene, so
// that the Enter the list leaves alone goes up to the dialog, whose Enter
// clicks the default button.
void TAboutBox1::buildControls() {
    ListBox1 = new TListBox(this, ListBox1Bounds,
                            {face(TextFace, 11), Qt::white, DialogBackground}, ListItemHeight);
    ListBox1->setLayoutDirection(Qt::RightToLeft);
    ListBox1->setItemDelegate(new LeftToRightText(ListBox1));
    // Lines wider than the list are cut at its edge, as a plain list box does.
    ListBox1->setTextElideMode(Qt::ElideNone);
    ListBox1->setItems(HelpLines);
    OKButton = new TButton(this, OKButtonBounds, QStringLiteral("OK"), face(TextFace, 11, true));
    OKButton->setDefault(true);
}

void TAboutBox1::OKButtonClick() { accept(); }

void TAboutBox1::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        centreOnScreen(*this);
    QDialog::showEvent(event);
}

}  // namespace kestrava
