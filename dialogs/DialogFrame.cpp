// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/DialogFrame.h"


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

}  // namespace kestrava
