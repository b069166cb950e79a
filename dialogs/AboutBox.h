// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// TAboutBox, the About dialog: the game's name and version, the author's
// credit and two links, the author's web page and the site that supports
// the game.
//
// Built hidden once at start-up and reused: the title window shows it
// modally with exec(), which returns when OK, Enter or the close box closes
// it (QDialog::Accepted for OK and Enter). Each showing centres it on the
// screen. A link click hands its address to openLink() and the dialog stays
// open whatever the desktop makes of it.
//
// Ownership: the dialog owns every component. Its handlers are public so
// tests can drive them directly; the toolkit calls them through dispatch().
// Building the layout loads the picture ":/pictures/about.jpg", so the
// resources must be registered (initAssets()) first; a missing picture
// escapes the constructor as EFOpenError.

#include "framework/Controls.h"
#include "framework/Scene.h"

#include <QDialog>
#include <QUrl>
#include <memory>

namespace kestrava {

class TAboutBox : public QDialog {
public:
    TAboutBox();
    ~TAboutBox() override;

    // The link targets, and the site's name that Label3 shows.
    static const QUrl AuthorPage;
    static const QUrl SupportingSite;
    static const QString SupportingSiteName;

    void OKButtonClick();
    void CommentsClick();
    void Label3Click();

    // Client area, in painting order.
    std::unique_ptr<TShape> Shape1, Shape3, Shape4, Shape2;
    TScene* Panel1 = nullptr;

    // Inside Panel1, positions relative to it.
    TScene* Panel2 = nullptr;
    std::unique_ptr<TImage> Image1;
    std::unique_ptr<TLabel> ProductName, Version, Credit, Comments, Label2, Label3;

    TButton* OKButton = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildFrame();
    void buildPanel();
    void bindHandlers();

    TScene* client_;
};

}  // namespace kestrava
