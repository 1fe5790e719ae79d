#pragma once

#include "document/layout.h"
#include "document/rtf/model.h"

#include <QPageLayout>
#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace quillory::doc {

/// The paper of a page set-up: its size and orientation, without margins, because pages are
/// placed by the document's own margins.
QPageLayout paperLayout(const PageSetup& page);

/// Paints pages of a laid-out document at their true size, each on a page of its own: its text
/// area at the document's margins from the paper's top-left corner. `painter` is active on
/// `device`, whose origin is that corner; `pages` are indices into the layout's pages.
void paintPages(QPainter& painter, QPagedPaintDevice& device, const DocumentLayout& layout,
                const PageSetup& page, const std::vector<int>& pages);

/// The document as a PDF file: every page at its true size on the document's paper, drawn as
/// text and lines (never as a picture) with its fonts embedded, with `title` as its title and
/// Quillory as its maker.
QByteArray pdfFromDocument(const Document& document, const QString& title);

/// The title of a document made like the schedule: its first paragraph's text before the last
/// tab (what comes after it is the date), without control characters and outer blanks; empty
/// when the document does not start with a paragraph.
QString scheduleTitle(const Document& document);

} // namespace quillory::doc
