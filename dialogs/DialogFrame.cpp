// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/DialogFrame.h"

#include <QGuiApplication>
#include <QScreen>

namespace kestrava {

TScene* setUpDialogWindow(QDialog& dialog, const QString& caption, QSize clientSize) {
    dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    dialog.setWindowTitle(caption);
    dialog.setFixedSize(clientSize);
    dialog.setSizeGripEnabled(false);
    auto* client = new TScene(&dialog, clientSize, DialogBackground);
    client->move(0, 0);
    return client;
}

std::unique_ptr<TShape> deckShape(TScene& scene, QRect bounds) {
    return std::make_unique<TShape>(scene, bounds, DeckFill, DeckOutline);
}

void centreOnScreen(QWidget& window) {
    const QScreen* target = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!target)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(target->availableGeometry().center());
    window.move(frame.topLeft());
}

}  // namespace kestrava
