// SPDX-License-Identifier: MIT

#include "preview/preview_rules.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quillory {

double roundHalfEven(double value)
{
    // nearbyint follows the current rounding mode; the program never leaves the default one,
    // which is to nearest with ties to even.
    return std::nearbyint(value);
}

qint16 toInt16(double value)
{
    constexpr double lowest = std::numeric_limits<qint16>::min();
    constexpr double highest = std::numeric_limits<qint16>::max();
    if (std::isnan(value))
        return 0;
    return static_cast<qint16>(std::clamp(roundHalfEven(value), lowest, highest));
}

ScrollRange scrollRangeFor(double pictureOuter, double viewportOuter, double viewportInner)
{
    if (pictureOuter <= viewportOuter)
        return {false, std::nullopt, 0, 0};
    const float excess = static_cast<float>(pictureOuter - viewportOuter);
    if (excess <= 100.0f) {
        const qint16 maximum = toInt16(excess);
        return {true, maximum, 1, double(maximum)};
    }
    if (roundHalfEven(excess / 10.0f) <= LargestBarMaximum) {
        const qint16 maximum = toInt16(excess / 10.0f);
        return {true, maximum, 10, 10.0 * maximum};
    }
    const double reach = pictureOuter - viewportInner;
    const double step = 10 * std::ceil(reach / (10.0 * LargestBarMaximum));
    return {true, toInt16(std::ceil(reach / step)), toInt16(step), reach};
}

double barPosition(qint16 step, int value, double end)
{
    return std::min(static_cast<double>(step) * value, end);
}

int nearestBarValue(double position, qint16 step, int maximum, double end)
{
    if (step <= 0 || position <= 0)
        return 0;
    if (position >= end)
        return maximum;
    return std::min(maximum, static_cast<int>(roundHalfEven(position / step)));
}

float draggedEdge(float edge, float anchor, float pointer, double viewportInner,
                  double pictureOuter)
{
    const float moved = edge - anchor + pointer;
    if (moved > 0.0f)
        return 0.0f;
    const float farthest = static_cast<float>(viewportInner) - static_cast<float>(pictureOuter);
    return farthest > moved ? farthest : moved;
}

std::optional<qint16> scrolledPercent(double edge, double pictureOuter, double viewportOuter)
{
    if (pictureOuter <= viewportOuter)
        return std::nullopt;
    return toInt16(std::abs(edge) / (pictureOuter - viewportOuter) * 100.0);
}

std::optional<int> valueByPercent(qint16 percent, int maximum)
{
    if (percent < 0 || percent > 100)
        return std::nullopt;
    return static_cast<int>(roundHalfEven(percent / 100.0 * maximum));
}

int scaledLength(int length, float zoom)
{
    return static_cast<int>(std::floor(static_cast<double>(length) * static_cast<double>(zoom)));
}

} // namespace quillory
