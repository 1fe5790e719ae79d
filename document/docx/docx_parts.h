// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"

#include <QByteArray>
#include <QString>

// The small parts of a WordprocessingML package around its main part (word/document.xml).
namespace quillory::doc::docx {

/// One part of the package: its name in the ZIP and its bytes.
struct Part {
    const char* name;
    QByteArray bytes;
};

/// The name of the main part.
inline constexpr char MainPartName[] = "word/document.xml";

/// Every part but the main one, in the order they are stored: the content types, the package's
/// relationships, the main part's relationships, the styles (the document's base format as
/// every run's default, single-spaced paragraphs without spacing), the settings (the default tab
/// width) and the document's properties (`title` as its title, Quillory as its application).
std::vector<Part> surroundingParts(const Document& document, const QString& title);

} // namespace quillory::doc::docx
