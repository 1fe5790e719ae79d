// SPDX-License-Identifier: MIT

#pragma once

#include <QRect>
#include <QSize>

#include <cmath>

namespace quillory {

/// Window layouts are given in twips; one logical pixel is 15 of them. Qt scales logical
/// pixels for high-DPI screens.
inline constexpr int TwipsPerPixel = 15;

/// Twips as logical pixels (rounded to the nearest pixel).
constexpr int pixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

/// Twips of the preview's arithmetic as whole logical pixels, rounded to the nearest (negative
/// edges included).
inline int pixelsFromTwips(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

/// A rectangle given as left, top, width and height in twips.
constexpr QRect rectFromTwips(int left, int top, int width, int height)
{
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

/// A size given in twips.
constexpr QSize sizeFromTwips(int width, int height)
{
    return QSize(pixels(width), pixels(height));
}

} // namespace quillory
