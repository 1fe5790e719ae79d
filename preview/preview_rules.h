// SPDX-License-Identifier: MIT

#pragma once

#include <QtGlobal>

#include <optional>

namespace quillory {

/// The viewport Picture2 in twips. Its sunken frame is two pixels (30 twips) wide on every
/// side, so its inner size is 60 twips smaller than its outer size. Picture1 and Zoom_Ori have
/// no frame: their inner and outer sizes are the same.
namespace viewport {
inline constexpr int OuterWidth = 9330;
inline constexpr int OuterHeight = 7425;
inline constexpr int FrameWidth = 30;
inline constexpr int InnerWidth = OuterWidth - 2 * FrameWidth;
inline constexpr int InnerHeight = OuterHeight - 2 * FrameWidth;
} // namespace viewport

/// The first scaled width and height (twips) that are no longer drawn.
inline constexpr int RefusedWidth = 13800;
inline constexpr int RefusedHeight = 9700;

/// Zoom factors run in quarter steps between these, both included.
inline constexpr float MinimumZoom = 0.25f;
inline constexpr float MaximumZoom = 4.0f;
inline constexpr float ZoomStep = 0.25f;

/// The nearest integer, ties to the even one (2.5 gives 2, 3.5 gives 4).
double roundHalfEven(double value);

/// The value as a 16-bit signed integer, saturated at the ends of its range.
qint16 toInt16(double value);

/// The largest maximum a scroll bar takes: a 16-bit signed value.
inline constexpr int LargestBarMaximum = 32767;

/// A line of the schedule's text at 100 %, in twips: its 10-point body text single-spaced in
/// URW Gothic (ascent and descent, 255.8 twips). The wheel and the arrow keys scroll by lines.
inline constexpr double TextLineTwips = 256;

/// How one scroll bar is set up for a picture on one axis.
struct ScrollRange {
    bool enabled = false;          ///< false when the picture fits the viewport
    std::optional<qint16> maximum; ///< the new maximum; nothing leaves it as it was
    qint16 step = 0;               ///< twips per unit of the bar: 0, 1, 10 or more tens
    double end = 0;                ///< how far the picture's edge goes at the maximum, twips
};

/// The scroll bar for a picture of the outer size against the viewport: an excess over the
/// outer size up to 100 twips scrolls twip by twip, a larger one ten twips at a time. Where
/// steps of ten would need a maximum past 16 bits, the step is the smallest number of tens
/// that fits, and the maximum brings the picture's end to the viewport's inner edge.
ScrollRange scrollRangeFor(double pictureOuter, double viewportOuter, double viewportInner);

/// How far the picture's edge lies at a value of the bar: `step` twips a unit, never past
/// `end`.
double barPosition(qint16 step, int value, double end);

/// The bar's value nearest to where the picture's edge lies (twips from the start); the
/// maximum from `end` on.
int nearestBarValue(double position, qint16 step, int maximum, double end);

/// The picture's edge after dragging the point grabbed at the anchor to the pointer (both from
/// the picture's corner): never past 0, never so far that the far edge enters the viewport.
float draggedEdge(float edge, float anchor, float pointer, double viewportInner,
                  double pictureOuter);

/// How far the edge lies into the outer-size excess, in whole percent; nothing when the picture
/// is not larger than the viewport.
std::optional<qint16> scrolledPercent(double edge, double pictureOuter, double viewportOuter);

/// The bar's value for a percentage of its maximum; nothing for percentages outside 0 to 100.
std::optional<int> valueByPercent(qint16 percent, int maximum);

/// The scaled length of a side at a zoom factor, in whole twips (rounded down).
int scaledLength(int length, float zoom);

} // namespace quillory
