// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/rtf_status.h"

#include <QByteArrayView>

// Splits RTF into its pieces: group braces, control words and symbols, hex escapes and plain
// text. It knows nothing of what they mean; the reader gives them meaning.
namespace quillory::doc::rtf {

/// What a token is.
enum class TokenKind { GroupStart, GroupEnd, ControlWord, ControlSymbol, HexChar, Text, End };

/// One piece of RTF and where it begins.
struct Token {
    TokenKind kind = TokenKind::End;
    qsizetype offset = 0;      ///< byte offset of its first character in the input
    QByteArrayView chars;      ///< the letters of a control word, or the bytes of a text stretch
    char symbol = 0;           ///< a control symbol's character ('\n' for a backslash-newline)
    uchar byte = 0;            ///< the value of a hex escape \'hh
    bool hasParameter = false; ///< whether a control word has a numeric parameter
    int parameter = 0;         ///< a control word's numeric parameter, when it has one
};

/// Malformed RTF at a byte offset; thrown by the tokenizer and the reader, caught by readRtf.
struct SyntaxError {
    RtfStatus status;
    const char* message;
    qsizetype offset;
};

/// Reads tokens one after another; line breaks between tokens are skipped, as RTF demands.
class Tokenizer {
public:
    /// Reads from `input`, which must outlive the tokenizer.
    explicit Tokenizer(QByteArrayView input)
        : m_input(input)
    {
    }

    /// The next token; End at the end of the input. Throws SyntaxError on a malformed escape.
    Token next();
    /// Skips `count` raw bytes (the data after \bin); throws SyntaxError when fewer are left.
    void skipBytes(qsizetype count);
    /// The offset of the next unread byte.
    qsizetype position() const { return m_pos; }

private:
    Token controlWord(qsizetype start);
    Token controlSymbol(qsizetype start);
    Token text(qsizetype start);
    bool startsParameter() const;
    int parameter(qsizetype start);

    QByteArrayView m_input;
    qsizetype m_pos = 0;
};

} // namespace quillory::doc::rtf
