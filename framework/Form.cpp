// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Form.h"

#include "framework/Palette.h"

#include "framework/Errors.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>

namespace kestrava {

namespace {
std::function<void()>& terminateHandler() {
    static std::function<void()> handler;
    return handler;
}

TForm* mainForm = nullptr;

void run(const std::function<void()>& handler) {
    if (handler)
        dispatch(handler);
}
}  // namespace

void terminateApplication() {
    if (terminateHandler())
        terminateHandler()();
    else
        // exit(), not quit(): quit() first asks every window to close, and the
        // main window refuses, since its closing is what asked to quit.
        QMetaObject::invokeMethod(qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

ScopedTerminateHandler::ScopedTerminateHandler(std::function<void()> handler)
    : ScopedOverride(terminateHandler(), std::move(handler)) {}

TForm::TForm(const QString& caption, QSize clientSize, QColor background)
    : QMainWindow(nullptr,
                  Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                      Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                      Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      client_(new TScene(this, clientSize, background)) {
    setWindowTitle(caption);
    client_->setFocusPolicy(Qt::StrongFocus);
    setCentralWidget(client_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    if (!mainForm)
        mainForm = this;
}

TForm::~TForm() {
    if (mainForm == this)
        mainForm = nullptr;
}

TForm* TForm::MainForm() { return mainForm; }

QMenu* TForm::addMenu(const QString& title) { return menuBar()->addMenu(title); }

QAction* TForm::addMenuEntry(QMenu* menu, const QString& text, const QKeySequence& shortcut,
                             std::function<void()> handler) {
    QAction* action = menu->addAction(text);
    action->setShortcut(shortcut);
    QObject::connect(action, &QAction::triggered, this,
                     [handler = std::move(handler)] { dispatch(handler); });
    return action;
}

void TForm::Show() {
    if (isVisible()) {
        raise();
        activateWindow();
        return;
    }
    if (!centred_) {
        centred_ = true;
        adjustSize();
        centreOnScreen(*this);
    }
    show();
    raise();
    activateWindow();
}

void TForm::Hide() { hide(); }

std::unique_ptr<TShape> deckShape(TScene& scene, QRect bounds) {
    return std::make_unique<TShape>(scene, bounds, palette::DeckFill, palette::DeckOutline);
}

void centreOnScreen(QWidget& window) {
    const QScreen* target = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(target->availableGeometry().center());
    window.move(frame.topLeft());
}

// Only the program's own show and hide run the handlers; the window system's
// (minimising, restoring) are spontaneous and change nothing in the game.
void TForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    client_->setFocus();
    run(OnShow);
}

void TForm::hideEvent(QHideEvent* event) {
    QMainWindow::hideEvent(event);
    if (!event->spontaneous())
        run(OnHide);
}

void TForm::closeEvent(QCloseEvent* event) {
    run(OnClose);
    if (this == mainForm) {
        event->ignore();
        terminateApplication();
        return;
    }
    event->accept();
}

}  // namespace kestrava
