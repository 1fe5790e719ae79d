// SPDX-License-Identifier: MIT

#include "document/rtf/rtf_writer.h"

#include "document/rtf/rtf_emitter.h"
#include "document/rtf/script_fonts.h"

#include <QHash>
#include <QStringList>

#include <algorithm>
#include <optional>

namespace quillory::doc {

using namespace Qt::StringLiterals;

namespace {

int clampLength(int twips)
{
    return std::clamp(twips, 0, MaxLength);
}

QRgb opaque(QRgb color)
{
    return qRgb(qRed(color), qGreen(color), qBlue(color));
}

// A font name as the font table gives it back, no longer than readers take.
QString writtenFontName(const QString& name)
{
    return rtf::Emitter::readBack(QStringView(name).left(MaxFontNameLength));
}

// A character format as the file states it: two formats written alike read back as one.
CharFormat writtenFormat(CharFormat format)
{
    format.font = writtenFontName(format.font);
    format.halfPoints = std::clamp(format.halfPoints, 1, MaxHalfPoints);
    if (format.color)
        format.color = opaque(*format.color);
    return format;
}

// The fonts and colours a document uses, numbered for the font and colour tables. The Normal
// style's font is font 0; colour 0 is the automatic colour.
class Tables {
public:
    explicit Tables(const Document& document)
    {
        addFormat(document.base);
        for (const Block& block : document.body) {
            if (const auto* paragraph = std::get_if<Paragraph>(&block))
                addParagraph(*paragraph);
            else
                addTable(std::get<Table>(block));
        }
        for (const Shape& shape : document.shapes) {
            for (const Paragraph& paragraph : shape.paragraphs)
                addParagraph(paragraph);
        }
    }

    int font(const QString& name) const
    {
        // A long document names one font over and over: the last one is known at once.
        if (name != m_lastFontName) {
            m_lastFont = m_fonts.value(writtenFontName(name));
            m_lastFontName = name;
        }
        return m_lastFont;
    }
    int color(QRgb color) const { return m_colors.value(opaque(color)); }
    const QStringList& fonts() const { return m_fontNames; }
    int charset(qsizetype font) const { return m_charsets.at(font); }
    const QList<QRgb>& colors() const { return m_colorList; }

private:
    void addFormat(const CharFormat& format)
    {
        // Most formats repeat the one before.
        if (m_lastAdded && m_lastAdded->font == format.font && m_lastAdded->color == format.color)
            return;
        m_lastAdded = format;
        addFont(writtenFontName(format.font), 0);
        if (format.color)
            addColor(*format.color);
    }
    void addFont(const QString& font, int charset)
    {
        if (m_fonts.contains(font))
            return;
        m_fonts.insert(font, int(m_fontNames.size()));
        m_fontNames.append(font);
        m_charsets.append(charset);
    }
    void addScriptFonts(const QString& text)
    {
        for (const rtf::ScriptPiece& piece : rtf::scriptPieces(text)) {
            for (const rtf::ScriptFont* font : {piece.complex, piece.eastAsian}) {
                if (font)
                    addFont(QString::fromUtf16(font->family), font->charset);
            }
        }
    }
    void addColor(QRgb color)
    {
        if (m_colors.contains(opaque(color)))
            return;
        m_colorList.append(opaque(color));
        m_colors.insert(opaque(color), int(m_colorList.size())); // 0 is the automatic colour
    }
    void addParagraph(const Paragraph& paragraph)
    {
        for (const Run& run : paragraph.runs) {
            if (rtf::Emitter::writesText(run.text)) {
                addFormat(run.format);
                addScriptFonts(run.text);
            }
        }
        addFormat(paragraph.mark);
    }
    void addTable(const Table& table)
    {
        addColor(table.borders.color);
        for (const Row& row : table.rows) {
            for (const Cell& cell : row.cells) {
                if (cell.shading)
                    addColor(*cell.shading);
                for (const Paragraph& paragraph : cell.paragraphs)
                    addParagraph(paragraph);
            }
        }
    }

    QHash<QString, int> m_fonts;
    QStringList m_fontNames;
    QList<int> m_charsets;
    QHash<QRgb, int> m_colors;
    QList<QRgb> m_colorList;
    std::optional<CharFormat> m_lastAdded;
    mutable std::optional<QString> m_lastFontName;
    mutable int m_lastFont = 0;
};

// Collects the RTF in one byte array.
class ByteArraySink final : public RtfSink {
public:
    void write(QByteArrayView bytes) override { m_bytes.append(bytes); }
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

// Whether two rows have the same definition: everything but their cells' text.
bool sameDefinition(const Row& one, const Row& other)
{
    const auto sameCell = [](const Cell& a, const Cell& b) {
        return a.width == b.width && a.shading == b.shading &&
               a.verticalAlignment == b.verticalAlignment && a.noWrap == b.noWrap;
    };
    return one.minimumHeight == other.minimumHeight &&
           one.repeatAsHeading == other.repeatAsHeading &&
           std::equal(one.cells.begin(), one.cells.end(), other.cells.begin(), other.cells.end(),
                      sameCell);
}

// Writes one document through an emitter, header first, then text boxes and the main text.
class Writer {
public:
    Writer(const Document& document, rtf::Emitter& out)
        : m_document(document)
        , m_tables(document)
        , m_out(out)
    {
    }

    void write()
    {
        m_out.open();
        for (const char* word : {"rtf1", "ansi", "ansicpg1252", "deff0", "uc1"})
            m_out.word(word);
        m_out.newline();
        writeFontTable();
        writeColorTable();
        writeStyles();
        writePage();
        for (const Shape& shape : m_document.shapes)
            writeShape(shape);
        for (const Block& block : m_document.body) {
            if (const auto* paragraph = std::get_if<Paragraph>(&block))
                writeParagraph(*paragraph, false, "par");
            else
                writeTable(std::get<Table>(block));
        }
        m_out.close();
        m_out.newline();
        m_out.flush();
    }

private:
    void writeFontTable()
    {
        m_out.open();
        m_out.word("fonttbl");
        for (qsizetype i = 0; i < m_tables.fonts().size(); ++i) {
            m_out.open();
            m_out.word("f", i);
            m_out.word("fnil");
            m_out.word("fcharset", m_tables.charset(i));
            m_out.text(m_tables.fonts()[i], true);
            m_out.endEntry();
            m_out.close();
        }
        m_out.close();
        m_out.newline();
    }

    void writeColorTable()
    {
        m_out.open();
        m_out.word("colortbl");
        m_out.endEntry();
        for (const QRgb color : m_tables.colors()) {
            m_out.word("red", qRed(color));
            m_out.word("green", qGreen(color));
            m_out.word("blue", qBlue(color));
            m_out.endEntry();
        }
        m_out.close();
        m_out.newline();
    }

    // The Normal style's format, also as the document's default (\defchp) for newer readers.
    void writeStyles()
    {
        m_out.open();
        m_out.word("*");
        m_out.word("defchp");
        writeCharFormat(m_document.base);
        m_out.word("kerning0");
        m_out.close();
        m_out.newline();
        m_out.open();
        m_out.word("stylesheet");
        m_out.open();
        m_out.word("ql");
        writeCharFormat(m_document.base);
        m_out.word("kerning0");
        m_out.word("snext0");
        m_out.text(u"Normal;");
        m_out.close();
        m_out.close();
        m_out.newline();
        m_out.open();
        m_out.word("*");
        m_out.word("generator");
        m_out.text(u"Quillory;");
        m_out.close();
        m_out.newline();
    }

    void writePage()
    {
        const PageSetup& page = m_document.page;
        const std::pair<const char*, int> lengths[] = {
            {"paperw", page.width},           {"paperh", page.height},
            {"margl", page.marginLeft},       {"margr", page.marginRight},
            {"margt", page.marginTop},        {"margb", page.marginBottom},
            {"headery", page.headerDistance}, {"footery", page.footerDistance},
            {"deftab", page.defaultTabWidth},
        };
        for (const auto& [word, twips] : lengths)
            m_out.word(word, clampLength(twips));
        if (page.landscape)
            m_out.word("landscape");
        m_out.newline();
    }

    void writeShape(const Shape& shape);
    void writeParagraph(const Paragraph& paragraph, bool inTable, const char* end);
    void writeRuns(const std::vector<Run>& runs);
    void writeScriptFonts(const rtf::ScriptPiece& piece);
    void writeCharFormat(const CharFormat& format);
    void writeTable(const Table& table);
    void writeRowDefinition(const Table& table, const Row& row);
    void writeRowDefinition(rtf::Emitter& out, const Table& table, const Row& row);
    void writeBorder(rtf::Emitter& out, const char* side, const Borders& borders);

    const Document& m_document;
    Tables m_tables;
    rtf::Emitter& m_out;
    std::optional<CharFormat> m_lastRunFormat; ///< the format of the last run written
    CharFormat m_lastWrittenFormat;            ///< that format as the file states it
    QByteArray m_definition;                   ///< the last row definition written
    const Table* m_definedTable = nullptr;
    const Row* m_definedRow = nullptr;
};

// A floating text box; readers that do not know shapes skip it. Its place on the page is not
// part of the model: it is written at the top left of the text.
void Writer::writeShape(const Shape& shape)
{
    m_out.open();
    m_out.word("shp");
    m_out.open();
    m_out.word("*");
    m_out.word("shpinst");
    for (const auto& [word, value] :
         {std::pair{"shpleft", 0}, {"shptop", 0}, {"shpright", 2880}, {"shpbottom", 1440}})
        m_out.word(word, value);
    for (const char* word : {"shpbxcolumn", "shpbypara", "shpwr3"})
        m_out.word(word);
    m_out.open();
    m_out.word("sp");
    m_out.open();
    m_out.word("sn");
    m_out.text(u"shapeType");
    m_out.close();
    m_out.open();
    m_out.word("sv");
    m_out.text(u"202"); // a text box
    m_out.close();
    m_out.close();
    m_out.open();
    m_out.word("shptxt");
    m_out.newline();
    for (const Paragraph& paragraph : shape.paragraphs)
        writeParagraph(paragraph, false, "par");
    m_out.close();
    m_out.close();
    m_out.close();
    m_out.newline();
}

void Writer::writeParagraph(const Paragraph& paragraph, bool inTable, const char* end)
{
    m_out.word("pard");
    m_out.word("plain");
    if (inTable)
        m_out.word("intbl");
    static constexpr const char* Alignments[] = {"ql", "qc", "qr", "qj"};
    m_out.word(Alignments[int(paragraph.format.alignment)]);
    const std::size_t tabStops =
        std::min(paragraph.format.tabStops.size(), std::size_t(MaxTabStops));
    for (std::size_t i = 0; i < tabStops; ++i)
        m_out.word("tx", clampLength(paragraph.format.tabStops[i]));
    writeRuns(paragraph.runs);
    writeCharFormat(paragraph.mark);
    m_out.word(end);
    m_out.newline();
}

void Writer::writeRuns(const std::vector<Run>& runs)
{
    // Runs written alike are one group, as a reader joins them; a run of left-out characters
    // alone is no group at all, as an empty one reads back as nothing. A stretch of a script the
    // format's font lacks is a group of its own that names the face to draw it in.
    struct Group {
        CharFormat format;
        const rtf::ScriptFont* complex;
        const rtf::ScriptFont* eastAsian;
        bool operator==(const Group&) const = default;
    };
    std::optional<Group> open;
    for (const Run& run : runs) {
        if (!rtf::Emitter::writesText(run.text))
            continue;
        if (run.format != m_lastRunFormat) {
            m_lastRunFormat = run.format;
            m_lastWrittenFormat = writtenFormat(run.format);
        }
        for (const rtf::ScriptPiece& piece : rtf::scriptPieces(run.text)) {
            const Group group{m_lastWrittenFormat, piece.complex, piece.eastAsian};
            if (group != open) {
                if (open)
                    m_out.close();
                m_out.open();
                writeScriptFonts(piece);
                writeCharFormat(run.format);
                open = group;
            }
            m_out.text(piece.text);
        }
    }
    if (open)
        m_out.close();
}

// The associated fonts: \af after \rtlch names the complex scripts' face, after \dbch the East
// Asian one; \ltrch and \loch hand \f back to the text's own font.
void Writer::writeScriptFonts(const rtf::ScriptPiece& piece)
{
    if (piece.complex) {
        m_out.word("rtlch");
        m_out.word("af", m_tables.font(QString::fromUtf16(piece.complex->family)));
        m_out.word("ltrch");
    }
    if (piece.eastAsian) {
        m_out.word("dbch");
        m_out.word("af", m_tables.font(QString::fromUtf16(piece.eastAsian->family)));
        m_out.word("loch");
    }
}

void Writer::writeCharFormat(const CharFormat& format)
{
    m_out.word("f", m_tables.font(format.font));
    m_out.word("fs", std::clamp(format.halfPoints, 1, MaxHalfPoints));
    if (format.bold)
        m_out.word("b");
    if (format.color)
        m_out.word("cf", m_tables.color(*format.color));
}

void Writer::writeTable(const Table& table)
{
    for (const Row& row : table.rows) {
        if (row.cells.empty())
            continue;
        writeRowDefinition(table, row);
        for (const Cell& cell : row.cells) {
            static const std::vector<Paragraph> EmptyCell{Paragraph{}};
            const std::vector<Paragraph>& paragraphs =
                cell.paragraphs.empty() ? EmptyCell : cell.paragraphs;
            for (std::size_t i = 0; i < paragraphs.size(); ++i)
                writeParagraph(paragraphs[i], true, i + 1 < paragraphs.size() ? "par" : "cell");
        }
        m_out.word("row");
        m_out.newline();
    }
}

// A table's rows are mostly alike: a definition is written once and copied while the rows after
// it are like it.
void Writer::writeRowDefinition(const Table& table, const Row& row)
{
    if (m_definedTable != &table || !m_definedRow || !sameDefinition(*m_definedRow, row)) {
        ByteArraySink sink;
        rtf::Emitter out(sink);
        writeRowDefinition(out, table, row);
        out.flush();
        m_definition = sink.take();
        m_definedTable = &table;
        m_definedRow = &row;
    }
    m_out.copy(m_definition);
}

// Word's row properties. The table's left edge is at the margin (\trleft0); the gap is the
// padding, for readers that do not know \trpaddl.
void Writer::writeRowDefinition(rtf::Emitter& out, const Table& table, const Row& row)
{
    out.word("trowd");
    out.word("trgaph", clampLength(table.paddingLeft));
    out.word("trleft", 0);
    out.word("trpaddl", clampLength(table.paddingLeft));
    out.word("trpaddr", clampLength(table.paddingRight));
    out.word("trpaddfl", 3); // 3: the paddings are in twips
    out.word("trpaddfr", 3);
    out.word("trrh", clampLength(row.minimumHeight));
    if (row.repeatAsHeading)
        out.word("trhdr");
    out.newline();
    for (const char* side : {"trbrdrt", "trbrdrl", "trbrdrb", "trbrdrr", "trbrdrh", "trbrdrv"})
        writeBorder(out, side, table.borders);
    out.newline();
    qint64 right = 0;
    for (const Cell& cell : row.cells) {
        static constexpr const char* Vertical[] = {"clvertalt", "clvertalc", "clvertalb"};
        out.word(Vertical[int(cell.verticalAlignment)]);
        if (cell.noWrap)
            out.word("clNoWrap");
        if (cell.shading)
            out.word("clcbpat", m_tables.color(*cell.shading));
        for (const char* side : {"clbrdrt", "clbrdrl", "clbrdrb", "clbrdrr"})
            writeBorder(out, side, table.borders);
        right += clampLength(cell.width);
        out.word("cellx", right);
        out.newline();
    }
}

void Writer::writeBorder(rtf::Emitter& out, const char* side, const Borders& borders)
{
    out.word(side);
    out.word("brdrs");
    out.word("brdrw", clampLength(borders.width));
    out.word("brdrcf", m_tables.color(borders.color));
}

} // namespace

void writeRtf(const Document& document, RtfSink& sink)
{
    rtf::Emitter out(sink);
    Writer(document, out).write();
}

QByteArray toRtf(const Document& document)
{
    ByteArraySink sink;
    writeRtf(document, sink);
    return sink.take();
}

} // namespace quillory::doc
