// SPDX-License-Identifier: MIT

#pragma once

#include "document/paint/vector_picture.h"
#include "document/rtf/model.h"

#include <QPageLayout>
#include <QString>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace quillory::doc {

class GlyphTextRecorder;

/// The paper of a page set-up: its size and orientation, without margins, because pages are
/// placed by the document's own margins.
QPageLayout paperLayout(const PageSetup& page);

/// Paints pages of a document's picture at their true size, each on a page of its own: its text
/// area at the document's margins (`page`) from the paper's top-left corner. `painter` is active
/// on `device`, whose origin is that corner; `pages` are indices into the picture's pages. A
/// `recorder` notes the glyphs as they are painted.
void paintPages(QPainter& painter, QPagedPaintDevice& device, const VectorPicture& picture,
                const PageSetup& page, const std::vector<int>& pages,
                GlyphTextRecorder* recorder = nullptr);

/// Every page of a picture, in order, as pdfFromPicture and paintPages take them.
std::vector<int> allPages(const VectorPicture& picture);

/// The title of a document made like the schedule: its first paragraph's text before the last
/// tab (what comes after it is the date), without control characters and outer blanks; empty
/// when the document does not start with a paragraph.
QString scheduleTitle(const Document& document);

} // namespace quillory::doc
