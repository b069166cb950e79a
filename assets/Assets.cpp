// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "assets/Assets.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares the resource's initialiser in the enclosing
// namespace, so it has to be expanded outside namespace kestrava.
static void registerPictures() { Q_INIT_RESOURCE(pictures); }

namespace kestrava {

void initAssets() { registerPictures(); }

}  // namespace kestrava
