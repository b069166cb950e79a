// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the About and Help dialogs share: a fixed-size dialog window whose
// client area is one TScene in the dialogs' dark blue, framed by deck blue
// rectangles, centred on the screen each time it is shown.

#include "framework/Form.h"
#include "framework/Palette.h"
#include "framework/Scene.h"

#include <QColor>
#include <QDialog>
#include <memory>

namespace kestrava {

inline const QColor& DialogBackground = palette::WindowBlue;
inline const QColor LinkColour{0x00, 0xFF, 0xFF};

// Gives `dialog` its caption, a dialog border (close box, no minimise or
// maximise box, not resizable) and a client area of `clientSize`, and returns
// that client area: a scene the dialog owns, covering it whole. The dialog
// stays hidden.
TScene* setUpDialogWindow(QDialog& dialog, const QString& caption, QSize clientSize);

}  // namespace kestrava
