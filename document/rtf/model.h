// SPDX-License-Identifier: MIT

#pragma once

#include <QRgb>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

// The document model: what a schedule is made of, free of any file format or layout.
// All lengths are in twips (1/1440 inch); font sizes in half-points, as word processors keep them.
// Colours are opaque: the alpha of a QRgb is not part of a document.
namespace quillory::doc {

/// The longest length a document holds, in twips: 22 inches, the largest page word processors
/// offer. Every length (page, margins, tab stops, widths, heights, padding, borders) lies in
/// 0..MaxLength; files with longer ones are refused, and longer ones are written clamped.
inline constexpr int MaxLength = 31680;
/// The largest font size, in half-points (1,638 points, as in Word); the smallest is 1.
inline constexpr int MaxHalfPoints = 3276;
/// The most tab stops one paragraph holds, as in Word; further ones are not written.
inline constexpr int MaxTabStops = 64;
/// The longest font name, in UTF-16 units; longer names are refused when read, cut when written.
inline constexpr int MaxFontNameLength = 255;

/// Look of a run of characters.
struct CharFormat {
    QString font = QStringLiteral("Century Gothic");
    int halfPoints = 20;
    bool bold = false;
    std::optional<QRgb> color; ///< none: the automatic colour (black)

    bool operator==(const CharFormat&) const = default;
};

enum class Alignment { Left, Center, Right, Justify };

/// Look of a paragraph.
struct ParaFormat {
    Alignment alignment = Alignment::Left;
    std::vector<int> tabStops; ///< positions of its own left tab stops, ascending

    bool operator==(const ParaFormat&) const = default;
};

/// Characters that share one format. '\t' is a tab; a run never holds a paragraph break.
struct Run {
    QString text;
    CharFormat format;

    bool operator==(const Run&) const = default;
};

/// One paragraph: runs in order, and the format of the paragraph itself. An empty paragraph
/// keeps the format its text would get in `mark` (the paragraph mark's format).
struct Paragraph {
    std::vector<Run> runs;
    ParaFormat format;
    CharFormat mark;

    /// The paragraph's characters, runs joined.
    QString text() const;
    bool operator==(const Paragraph&) const = default;
};

enum class VerticalAlignment { Top, Center, Bottom };

/// One cell: its paragraphs (at least one), its width and its look.
struct Cell {
    std::vector<Paragraph> paragraphs{Paragraph{}};
    int width = 0;
    std::optional<QRgb> shading; ///< none: no fill
    VerticalAlignment verticalAlignment = VerticalAlignment::Top;
    bool noWrap = false;

    bool operator==(const Cell&) const = default;
};

/// One table row.
struct Row {
    std::vector<Cell> cells;
    int minimumHeight = 0;
    bool repeatAsHeading = false; ///< repeated at the top of every page the table runs onto

    bool operator==(const Row&) const = default;
};

/// Lines drawn around a table and between its cells.
struct Borders {
    int width = 5; ///< a quarter point
    QRgb color = qRgb(0, 0, 0);

    bool operator==(const Borders&) const = default;
};

/// A table of rows; column widths are the cells' widths.
struct Table {
    std::vector<Row> rows;
    int paddingLeft = 115;
    int paddingRight = 115;
    Borders borders;

    bool operator==(const Table&) const = default;
};

/// A block of the main text.
using Block = std::variant<Paragraph, Table>;

/// A text box floating on the page; only its text matters to us.
struct Shape {
    std::vector<Paragraph> paragraphs;

    bool operator==(const Shape&) const = default;
};

/// Paper, orientation and margins.
struct PageSetup {
    int width = 15840;
    int height = 12240;
    bool landscape = true;
    int marginLeft = 1080;
    int marginRight = 1080;
    int marginTop = 1080;
    int marginBottom = 1080;
    int headerDistance = 720;
    int footerDistance = 720;
    int defaultTabWidth = 720;

    /// The width between the left and the right margin.
    int textWidth() const { return width - marginLeft - marginRight; }
    /// The height between the top and the bottom margin.
    int textHeight() const { return height - marginTop - marginBottom; }
    bool operator==(const PageSetup&) const = default;
};

/// A whole document: page set-up, the base format of its Normal style, the main text and shapes.
struct Document {
    PageSetup page;
    CharFormat base;
    std::vector<Block> body;
    std::vector<Shape> shapes;

    bool operator==(const Document&) const = default;
};

} // namespace quillory::doc
