// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// TAboutBox1, the Help dialog: the rules of the game, in Czech and then in
// English, in a list the player scrolls with the scroll bar on its left.
//
// Built hidden once at start-up and reused: the title window shows it
// modally with exec(), which returns when OK, Enter or the close box closes
// it (QDialog::Accepted for OK and Enter). Each showing centres it on the
// screen.
//
// Ownership: the dialog owns every component. Its handler is public so tests
// can drive it directly; the toolkit calls it through dispatch().

#include "framework/Controls.h"
#include "framework/Scene.h"

#include <QDialog>
#include <QStringList>
#include <memory>

namespace kestrava {

// The original help text, one list line per entry; some lines end in spaces,
// kept as they are. The dialog shows it in the player's language.
extern const QStringList HelpLines;

class TAboutBox1 : public QDialog {
public:
    TAboutBox1();
    ~TAboutBox1() override;

    void OKButtonClick();

    // Client area, in painting order.
    std::unique_ptr<TShape> Shape1, Shape2, Shape4, Shape3;
    std::unique_ptr<TLabel> Label1;
    TListBox* ListBox1 = nullptr;
    TButton* OKButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildFrame();
    void buildControls();

    TScene* client_;
};

}  // namespace kestrava
