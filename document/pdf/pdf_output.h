// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/glyph_text.h"
#include "document/layout/layout.h"
#include "document/rtf/model.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace quillory::doc {

/// Pages of a laid-out document as Qt's PDF writer draws them, before they are finished: the
/// file, and the faces drawn in it, recorded while painting.
struct PaintedPdf {
    QByteArray pdf;               ///< the file as Qt wrote it
    std::vector<DrawnFace> faces; ///< in the order first drawn
};

/// The pages `pages` of a layout painted into a PDF by Qt, as pdfFromLayout starts it.
PaintedPdf paintedPdf(const DocumentLayout& layout, const PageSetup& page, const QString& title,
                      const std::vector<int>& pages);

/// Pages of a laid-out document as a PDF file, in the order `pages` gives (indices into the
/// layout's pages, repeats allowed): each at its true size on the document's paper, drawn as
/// text and lines (never as a picture), its fonts embedded as tagged subsets whose text reads
/// as typed, with `title` as its title and Quillory as its creator and producer.
QByteArray pdfFromLayout(const DocumentLayout& layout, const PageSetup& page, const QString& title,
                         const std::vector<int>& pages);

/// The document as a PDF file: every page of its layout, as pdfFromLayout makes them.
QByteArray pdfFromDocument(const Document& document, const QString& title);

} // namespace quillory::doc
