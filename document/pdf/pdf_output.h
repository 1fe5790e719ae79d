// SPDX-License-Identifier: MIT

#pragma once

#include "document/layout/layout.h"
#include "document/pdf/pdf_finishing.h"
#include "document/rtf/model.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace quillory::doc {

/// The pages `pages` of a layout painted into a PDF by Qt, as pdfFromLayout starts it, before
/// it is finished.
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
