// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The game's pictures, built into the program as Qt resources under
// ":/pictures/" (for example ":/pictures/bus.bmp").

namespace kestrava {

// Registers the picture resources. They live in a static library, whose
// resource initialiser the linker may drop, so call this once before the
// first picture is loaded (start-up, and every test that loads pictures).
// Calling it again does no harm.
void initAssets();

}  // namespace kestrava
