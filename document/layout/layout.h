// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/layout_paragraph.h"
#include "document/layout/text_position.h"
#include "document/rtf/model.h"

#include <QRectF>
#include <QRgb>

#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace quillory::doc {

/// A paragraph, or the run of its lines that fits on one page, placed on that page.
struct PlacedParagraph {
    ParagraphAddress address;                      ///< which paragraph
    std::shared_ptr<const ParagraphLayout> layout; ///< its lines
    QPointF origin;    ///< where the paragraph's (0, 0) lies on the page
    int firstLine = 0; ///< the first line on this page
    int lineCount = 0; ///< how many lines lie on this page
};

/// A filled rectangle: a cell's shading or a border line (as thick as the line).
struct PlacedFill {
    QRectF rect;    ///< the area filled
    QRgb color = 0; ///< its colour
};

/// What lies on one page's text area, in twips from its top-left corner.
struct LaidOutPage {
    std::vector<PlacedFill> shadings;        ///< painted first
    std::vector<PlacedFill> borders;         ///< painted last, over everything
    std::vector<PlacedParagraph> paragraphs; ///< painted over the shadings
};

/// Where a main-text paragraph lies, for moving the caret: its first placement.
struct ParagraphPlace {
    std::shared_ptr<const ParagraphLayout> layout; ///< its lines
    QPointF origin;                                ///< where its (0, 0) lies on the page
    int page = 0;                                  ///< the page it starts on
};

/// A document's main text laid out in twips: pages of positioned boxes.
class DocumentLayout {
public:
    /// The size of one page's text area (between the margins).
    QSizeF textArea() const { return m_textArea; }
    /// The pages, in order; there is always at least one.
    const std::vector<LaidOutPage>& pages() const { return m_pages; }
    /// Where a main-text paragraph lies; the address must name one.
    const ParagraphPlace& place(const ParagraphAddress& address) const
    {
        return m_places.at(address);
    }

private:
    friend class LayoutBuilder;

    QSizeF m_textArea;
    std::vector<LaidOutPage> m_pages{1};
    std::map<ParagraphAddress, ParagraphPlace> m_places;
};

/// Lays out a document's main text. A table row that does not fit in the space left on a page is
/// split between the lines of its cells and goes on on the next page, below the table's heading
/// rows repeated there; no line is cut or lost, however long a cell is.
DocumentLayout layOutDocument(const Document& document);

/// Receives the pages of a layout one by one, top first, each once it is complete.
using PageSink = std::function<void(const LaidOutPage& page)>;

/// Lays out a document's main text as layOutDocument does, but hands each page to `sink` as
/// soon as it is complete and keeps neither the page nor where its paragraphs lie: a long
/// document's layout is never held whole. Its text area is its page set-up's.
void layOutPages(const Document& document, const PageSink& sink);

} // namespace quillory::doc
