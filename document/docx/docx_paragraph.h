// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"

#include <QByteArray>

// Paragraphs and runs as WordprocessingML holds them.
namespace quillory::doc::docx {

/// The face that draws Chinese, Japanese and Korean, as our layout draws them.
inline constexpr char EastAsianFace[] = "WenQuanYi Micro Hei";

/// Appends a paragraph: its tab stops, alignment and mark's format, then its runs, each split
/// where its complex script changes; formats are written as they differ from `base`, the
/// document's base format, which the styles part states.
void appendParagraph(QByteArray& out, const Paragraph& paragraph, const CharFormat& base);

/// Appends the run properties of `format` in full (faces for every script, weight, colour,
/// size): the document's base format, as the styles part states it.
void appendBaseRunProperties(QByteArray& out, const CharFormat& format);

} // namespace quillory::doc::docx
