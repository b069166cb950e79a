// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A top-level game window: a fixed-size client area (a TScene) below an
// optional menu bar, centred on the screen, not resizable, with system menu
// and minimise box only.
//
// Show() runs OnShow when the window becomes visible (showing a visible
// window only raises it); a window hidden by the program or closed by its
// close box runs OnHide. Closing a window runs OnClose and then hides it,
// except the main window, whose closing ends the event loop at its next turn.
// The first window created is the main window. Every handler runs through
// dispatch().

#include "framework/Scene.h"
#include "framework/ScopedOverride.h"

#include <QKeySequence>
#include <QMainWindow>
#include <functional>
#include <memory>

class QMenu;

namespace kestrava {

class TForm : public QMainWindow {
public:
    TForm(const QString& caption, QSize clientSize, QColor background);
    ~TForm() override;

    // The main window, or nullptr before the first window is created.
    static TForm* MainForm();

    TScene& client() { return *client_; }
    QMenu* addMenu(const QString& title);
    // An entry whose handler runs through dispatch(); `shortcut` may be empty.
    QAction* addMenuEntry(QMenu* menu, const QString& text, const QKeySequence& shortcut,
                          std::function<void()> handler);

    void Show();
    void Hide();
    void Close() { close(); }

    std::function<void()> OnShow;
    std::function<void()> OnHide;
    std::function<void()> OnClose;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    TScene* client_;
    bool centred_ = false;
};

// The client size the title window and the game window share.
inline constexpr QSize GameClientSize(487, 434);

// A deck blue rectangle, the piece every window's frame is made of.
std::unique_ptr<TShape> deckShape(TScene& scene, QRect bounds);

// Moves the window so that its frame is centred on its screen's work area.
void centreOnScreen(QWidget& window);

// Posts the request that ends the event loop; tests replace it with
// ScopedTerminateHandler to see that the program would end.
void terminateApplication();

class ScopedTerminateHandler : public ScopedOverride<std::function<void()>> {
public:
    explicit ScopedTerminateHandler(std::function<void()> handler);
};

}  // namespace kestrava
