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

ScrollRange scrollRangeFor(double pictureOuter, double viewportOuter)
{
    if (pictureOuter <= viewportOuter)
        return {false, std::nullopt, 0};
    const float excess = static_cast<float>(pictureOuter - viewportOuter);
    if (excess <= 100.0f)
        return {true, toInt16(excess), 1};
    return {true, toInt16(excess / 10.0f), 10};
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
