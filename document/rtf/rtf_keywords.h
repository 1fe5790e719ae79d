// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArrayView>

// The control words the reader understands.
namespace quillory::doc::rtf {

/// A control word's meaning to the reader.
enum class Keyword {
    Unknown,
    // destinations
    Rtf,
    FontTable,
    ColorTable,
    StyleSheet,
    ShapeInstance,
    ShapeText,
    Ignored,
    // characters and structure
    Par,
    Cell,
    Row,
    Tab,
    Line,
    Unicode,
    UnicodeSkip,
    Binary,
    EmDash,
    EnDash,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote,
    Bullet,
    // character formatting
    Plain,
    Font,
    FontSize,
    Bold,
    Color,
    DefaultFont,
    // paragraph formatting
    ParagraphDefaults,
    AlignLeft,
    AlignCenter,
    AlignRight,
    Justify,
    TabStop,
    InTable,
    Style,
    // rows and cells
    RowDefaults,
    RowGap,
    RowLeft,
    RowHeight,
    RowHeading,
    RowPaddingLeft,
    RowPaddingRight,
    CellTop,
    CellCenter,
    CellBottom,
    CellNoWrap,
    CellShading,
    CellRight,
    BorderSide,
    BorderWidth,
    BorderColor,
    // page
    PaperWidth,
    PaperHeight,
    MarginLeft,
    MarginRight,
    MarginTop,
    MarginBottom,
    HeaderDistance,
    FooterDistance,
    DefaultTab,
    Landscape,
    // colour table
    Red,
    Green,
    Blue,
};

/// The meaning of the control word `word` (case-sensitive, as in RTF).
Keyword lookupKeyword(QByteArrayView word);

} // namespace quillory::doc::rtf
