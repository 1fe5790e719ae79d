// SPDX-License-Identifier: MIT

#pragma once

#include "document/paint/vector_picture.h"
#include "document/pdf/pdf_finishing.h"
#include "document/rtf/model.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace quillory::doc {

/// The pages `pages` of a document's picture painted into a PDF by Qt, as pdfFromPicture starts
/// it, before it is finished.
PaintedPdf paintedPdf(const VectorPicture& picture, const PageSetup& page, const QString& title,
                      const std::vector<int>& pages);

/// Pages of a document's picture as a PDF file, in the order `pages` gives (indices into the
/// picture's pages, repeats allowed): each at its true size on the document's paper (`page`),
/// drawn as text and lines (never as a bitmap), its fonts embedded as tagged subsets whose text
/// reads as typed, with `title` as its title and Quillory as its creator and producer.
QByteArray pdfFromPicture(const VectorPicture& picture, const PageSetup& page, const QString& title,
                          const std::vector<int>& pages);

/// The document as a PDF file: every page of its picture, as pdfFromPicture makes them.
QByteArray pdfFromDocument(const Document& document, const QString& title);

} // namespace quillory::doc
