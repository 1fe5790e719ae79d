// SPDX-License-Identifier: MIT

#pragma once

#include "tests/support/libreoffice.h"

#include <QString>

namespace quillory::test {

/// Word processors and converters that read our RTF (and pandoc our .docx) on their own, as
/// independent oracles.
enum class TextReader { LibreOffice, AbiWord, Pandoc };

/// Runs each reader on a document and gives back the text it found there.
class TextReaders {
public:
    TextReaders();

    /// The reader's name as a user knows it.
    static QString name(TextReader reader);
    /// The Debian package that brings the reader.
    static QString package(TextReader reader);
    /// Whether the reader's program is installed.
    bool isInstalled(TextReader reader) const;

    /// The document's text as the reader reads it: paragraphs and cells on lines of their own,
    /// in reading order. Empty when the reader made nothing.
    QString text(TextReader reader, const QString& document);

private:
    QString abiWordText(const QString& document);
    QString pandocText(const QString& document);

    LibreOffice m_libreOffice;
    QString m_abiWord;
    QString m_pandoc;
    QTemporaryDir m_folder;
};

} // namespace quillory::test
