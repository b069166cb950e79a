// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/HelpBox.h"

#include "dialogs/DialogFrame.h"
#include "framework/Fonts.h"

#include <QCoreApplication>
#include <QShowEvent>
#include <QStyledItemDelegate>

namespace kestrava {

// The help text is one message, so that a translation breaks it into lines of
// its own, each as wide as the list shows.
const char* const HelpText = QT_TRANSLATE_NOOP(
    "TAboutBox1",
    "Nápověda:\n"
    "\n"
    "Hru ovládáte vertikálními šipkami, jejichž pomocí máte za úkol \n"
    "přemostit silnici, na které se pohybují dopravní prostředky.\n"
    "\n"
    "Aby vůz bezpečně projel, musíte plošinku dostat do roviny se silnicí.\n"
    "\n"
    "Hra je omezena limitem 140 vteřin.\n"
    "\n"
    "Za každý projetý vůz získáte 50 bodů, za projetou tramvaj\n"
    "získáte 70 bodů (protože veze nejvíce lidí), za zničený vůz \n"
    "ztratíte život.\n"
    "\n"
    "Abyste to stíhali, máte k dispozici čtyři semafory u každého patra. \n"
    "Kliknutím na ně (na jejich sloupy) se vozy v daném patře zastaví\n"
    "na pět vteřin. \n"
    "Každý lze použít pouze dvakrát. Pokud  i přesto nestihnete \n"
    "pomoci nějakému vozidlu přejet na druhou stranu, ztratíte jeden \n"
    "z pěti životů. \n"
    "\n"
    "Každý semafor můžete použít jen dvakrát, takže si pořádně \n"
    "rozmyslete, kdy ho použít.\n"
    "\n"
    "Z dolní části můžete rovnou přeskočit nahoru, když se\n"
    "dostanete na dolní okraj.\n"
    "\n"
    "Když budete tak dobří a některý semafor ani nepoužijete,\n"
    "na konci hry se k dosaženému skóre přičte za každý \n"
    "nepoužitý semafor 60 bodů a za každý zbylý život 70 bodů.\n"
    "\n"
    "Po ukončení se hra zavře stisknutím Enter.\n"
    "\n"
    "Hodně štěstí!;)\n"
    "_______________________________________\n"
    "\n"
    "You are using Up and Down key to move with \n"
    "brown rectangle.\n"
    "\n"
    "You have to bridge over interrupted road and\n"
    "help vehicles to get to the left side.\n"
    "\n"
    "You could click on four semaphores but \n"
    "each of them only twice. They will stop vehicle\n"
    "for 5 seconds.\n"
    "\n"
    "For this game you have only 140 seconds.\n"
    "\n"
    "Good luck!");

const QStringList HelpLines = QString::fromUtf8(HelpText).split(QLatin1Char('\n'));

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
    : client_(setUpDialogWindow(*this, QCoreApplication::translate("TAboutBox1", "Nápověda"), ClientSize)) {
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
    Label1 = std::make_unique<TLabel>(s, QPoint(48, 16), QCoreApplication::translate("TAboutBox1", "NÁPOVĚDA/HELP"),
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
    ListBox1->setItems(QCoreApplication::translate("TAboutBox1", HelpText).split(QLatin1Char('\n')));
    OKButton = new TButton(this, OKButtonBounds, QCoreApplication::translate("TAboutBox1", "OK"), face(TextFace, 11, true));
    OKButton->setDefault(true);
}

void TAboutBox1::OKButtonClick() { accept(); }

void TAboutBox1::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        centreOnScreen(*this);
    QDialog::showEvent(event);
}

}  // namespace kestrava
