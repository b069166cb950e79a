// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// JPEG pictures, decoded with libjpeg-turbo.

#include <QByteArray>
#include <QImage>

namespace kestrava {

// Decodes a baseline or progressive JPEG into a 24-bit RGB image. Returns a
// null image when the data is not a JPEG libjpeg can read; never aborts the
// process on bad data.
QImage decodeJpeg(const QByteArray& data);

// Encodes an image as a JPEG of the given quality (1..100).
QByteArray encodeJpeg(const QImage& image, int quality);

}  // namespace kestrava
