// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/rtf_writer.h"

#include <QStringView>

// The lowest layer of the writer: control words, braces and escaped text, buffered on the way
// to a sink.
namespace quillory::doc::rtf {

/// Puts RTF syntax together; knows where a control word needs its delimiting space.
class Emitter {
public:
    /// Writes to `sink` in pieces of a few dozen kilobytes.
    explicit Emitter(RtfSink& sink)
        : m_sink(sink)
    {
    }

    /// A control word without parameter, `name` without its backslash.
    void word(const char* name);
    /// A control word with a numeric parameter.
    void word(const char* name, qint64 value);
    /// Opens a group.
    void open();
    /// Closes a group.
    void close();
    /// The ';' that ends an entry of the font or colour table, right after a control word.
    void endEntry();
    /// A line break, which RTF ignores, for people reading the file.
    void newline();
    /// Text, escaped: \ { } as control symbols, tabs as \tab, line breaks (LF, CR, CR LF, VT,
    /// U+2028) as \line, other control characters left out, everything else outside ASCII as
    /// \uN (UTF-16 units, signed) with its code-page 1252 byte (or '?') as a \'hh fallback; with
    /// `inTable` also ';', which ends a table entry.
    void text(QStringView text, bool inTable = false);
    /// The text as a reader gets it back from text(): control characters left out, each line
    /// break (CR LF as one) the line separator U+2028.
    static QString readBack(QStringView text);
    /// Whether text() writes anything of the text: false when it is empty or only control
    /// characters that are left out (readBack() gives an empty text).
    static bool writesText(QStringView text);
    /// Bytes another emitter wrote, ending with a line break (a row's definition written once
    /// and copied for the rows like it).
    void copy(QByteArrayView written);
    /// Hands what is buffered to the sink.
    void flush();

private:
    void put(char c);
    void put(const char* chars);
    void unicode(char16_t unit);

    RtfSink& m_sink;
    QByteArray m_buffer;
    bool m_afterWord = false; ///< literal text here needs a delimiting space first
};

} // namespace quillory::doc::rtf
