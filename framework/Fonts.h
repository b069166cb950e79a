// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The faces the windows ask for by name, with the Debian faces that stand in
// for them where they are not installed: DSEG7 Classic for the seven-segment
// "LED", Roboto Condensed for "Tw Cen MT", DejaVu Sans for "MS Sans Serif".

#include <QFont>

namespace kestrava {

// Call once after the application object exists, before any window is built.
void registerFontSubstitutes();

// A face at a character height in pixels.
QFont face(const QString& family, int pixelSize, bool bold = false, bool underline = false);

}  // namespace kestrava
