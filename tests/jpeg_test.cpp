// SPDX-FileCopyrightText: 2026 The Kestrava developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "framework/Jpeg.h"

#include <gtest/gtest.h>
#include <QColor>
#include <algorithm>
#include <cstdlib>

using namespace kestrava;

namespace {

// Smooth gradients: what a JPEG keeps well, so a round trip at high quality
// stays close to the original.
QImage gradientImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, QColor(40 + 8 * x, 200 - 6 * y, 90 + 3 * (x + y)));
    return image;
}

// Pseudo-random pixels compress badly, so the file is long enough to cut in
// the middle of its image data.
QImage noiseImage(int size) {
    QImage image(size, size, QImage::Format_RGB888);
    unsigned state = 12345;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            state = state * 1103515245u + 12345u;
            image.setPixel(x, y, qRgb(state >> 24, state >> 16 & 0xFF, state >> 8 & 0xFF));
        }
    return image;
}

int largestChannelError(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)),
                              std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

TEST(Jpeg, RoundTripKeepsSizeFormatAndColours) {
    const QImage original = gradientImage(19, 13);  // not a multiple of the 8-pixel blocks
    const QImage decoded = decodeJpeg(encodeJpeg(original, 95));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), original.size());
    EXPECT_EQ(decoded.format(), QImage::Format_RGB888);
    EXPECT_LE(largestChannelError(original, decoded), 12);
}

TEST(Jpeg, EncodesImagesWithAlphaAsOpaqueRgb) {
    QImage argb(8, 8, QImage::Format_ARGB32);
    argb.fill(qRgb(200, 30, 30));
    const QImage decoded = decodeJpeg(encodeJpeg(argb, 90));
    ASSERT_FALSE(decoded.isNull());
    EXPECT_LE(largestChannelError(argb.convertToFormat(QImage::Format_RGB888), decoded), 6);
}

TEST(Jpeg, LowerQualityGivesSmallerFileAndLargerError) {
    const QImage original = noiseImage(32);
    const QByteArray fine = encodeJpeg(original, 95);
    const QByteArray coarse = encodeJpeg(original, 10);
    EXPECT_LT(coarse.size(), fine.size());
    EXPECT_GT(largestChannelError(original, decodeJpeg(coarse)),
              largestChannelError(original, decodeJpeg(fine)));
}

TEST(Jpeg, NullImageEncodesToNothing) {
    EXPECT_TRUE(encodeJpeg(QImage(), 80).isEmpty());
}

TEST(Jpeg, UnreadableDataGivesNullImage) {
    const QByteArray valid = encodeJpeg(noiseImage(48), 90);
    ASSERT_GT(valid.size(), 2000);
    const struct {
        const char* name;
        QByteArray data;
    } cases[] = {
        {"empty", QByteArray()},
        {"text", QByteArray("this is not a picture at all")},
        {"start marker only", QByteArray("\xFF\xD8", 2)},
        {"cut inside the header", valid.left(120)},
        {"cut inside the image data", valid.left(valid.size() / 2)},
        {"end marker missing", valid.left(valid.size() - 2)},
        {"PNG signature", QByteArray("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(decodeJpeg(c.data).isNull()) << c.name;
    EXPECT_FALSE(decodeJpeg(valid).isNull());
}

}  // namespace
