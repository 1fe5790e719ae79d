// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"

#include <QColor>
#include <QFont>

#include <memory>
#include <optional>
#include <utility>

class QPainter;
class QTextLayout;
class QPointF;

namespace quillory::doc {

/// The font a character format is laid out in: sized in twips (a pixel size of points × 20, so
/// one pixel is one twip), unhinted and unkerned, so widths do not depend on the screen.
QFont layoutFont(const CharFormat& format);

/// One paragraph broken into lines at a given width. The lines sit one below the other,
/// starting at y 0; x 0 is the left edge of the width the paragraph was given.
class ParagraphLayout {
public:
    /// Lays the paragraph out, breaking lines at word boundaries (inside a word too long for a
    /// line).
    ParagraphLayout(const Paragraph& paragraph, int defaultTabWidth, qreal width);
    ~ParagraphLayout();
    ParagraphLayout(const ParagraphLayout&) = delete;
    ParagraphLayout& operator=(const ParagraphLayout&) = delete;

    /// The height of all lines together.
    qreal height() const { return m_height; }
    /// How many lines the paragraph takes (an empty paragraph takes one).
    int lineCount() const;
    /// The top of a line.
    qreal lineTop(int line) const;
    /// The height of a line.
    qreal lineHeight(int line) const;
    /// The characters a line holds: the offset of its first and how many (none for an empty
    /// paragraph).
    std::pair<int, int> lineCharacters(int line) const;
    /// The line that holds the place before the character at `offset`.
    int lineOf(int offset) const;
    /// The x of the place before the character at `offset`.
    qreal xOf(int offset) const;
    /// The place in a line nearest to x.
    int offsetAt(int line, qreal x) const;
    /// Paints one line with the paragraph's origin at `origin`; a paragraph of one format sets
    /// the painter's pen to its colour.
    void drawLine(QPainter& painter, int line, const QPointF& origin) const;

private:
    void layOutText(const Paragraph& paragraph, int defaultTabWidth, qreal width);

    std::unique_ptr<QTextLayout> m_text; ///< none for an empty paragraph
    std::optional<QColor> m_color;       ///< the text's colour, when it has one format
    qreal m_height = 0;
    qreal m_emptyX = 0; ///< where the caret of an empty paragraph stands
};

} // namespace quillory::doc
