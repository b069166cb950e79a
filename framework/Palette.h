// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The colours the windows share: "deck blue" frames every window, and the
// dark blue is the background of the title window and the dialogs.

#include <QColor>

namespace kestrava::palette {

inline const QColor DeckFill{0x00, 0x40, 0x80};
inline const QColor DeckOutline{0x00, 0x80, 0xC0};
inline const QColor WindowBlue{0x00, 0x00, 0x55};
inline const QColor Silver{0xC0, 0xC0, 0xC0};

}  // namespace kestrava::palette
