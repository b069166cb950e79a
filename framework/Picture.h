// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Pictures from the program's resources: BMP through Qt, JPEG through
// libjpeg-turbo.

#include <QImage>
#include <QString>

namespace kestrava {

// Loads `path` (a resource path such as ":/pictures/bus.bmp"). A picture that
// cannot be read is a broken build, not a player's problem: it throws
// EFOpenError naming the path.
QImage loadPicture(const QString& path);

}  // namespace kestrava
