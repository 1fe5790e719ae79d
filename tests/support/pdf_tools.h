// SPDX-License-Identifier: MIT

#pragma once

#include <QList>
#include <QMap>
#include <QRectF>
#include <QString>
#include <QStringList>

namespace quillory::test {

/// What poppler's tools (Debian poppler-utils) read in a PDF: an independent reader of the PDFs
/// we write. Every call fails the current test when the tool is missing or refuses the file.
namespace pdf {

/// Whether pdfinfo, pdffonts and pdftotext are installed.
bool toolsInstalled();

/// pdfinfo's fields ("Pages", "Page size", "Title", "Producer" …), values trimmed.
QMap<QString, QString> info(const QString& path);

/// One font as pdffonts lists it.
struct Font {
    QString name;
    bool embedded = false;
};
QList<Font> fonts(const QString& path);

/// The text of every page in the order it was drawn (pdftotext -raw).
QString text(const QString& path);

/// One word with its box in points from the page's top-left corner.
struct Word {
    int page = 0; ///< from 0
    QString text;
    QRectF box;
};
/// Every word with its box (pdftotext -bbox).
QList<Word> words(const QString& path);

/// The lines poppler sees, each as its words joined by one blank (pdftotext -bbox-layout).
QStringList lines(const QString& path);

} // namespace pdf

} // namespace quillory::test
