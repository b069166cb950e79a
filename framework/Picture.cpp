// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Picture.h"

#include "framework/Errors.h"
#include "framework/Jpeg.h"

#include <QFile>

namespace kestrava {

QImage loadPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFOpenError(QStringLiteral("Cannot open file %1").arg(path));
    const QByteArray data = file.readAll();
    const bool jpeg = path.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive);
    QImage image = jpeg ? decodeJpeg(data) : QImage::fromData(data, "BMP");
    if (image.isNull())
        throw EFOpenError(QStringLiteral("Cannot open file %1").arg(path));
    return image;
}

}  // namespace kestrava
