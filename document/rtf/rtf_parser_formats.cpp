// SPDX-License-Identifier: MIT

#include "document/rtf/rtf_parser.h"

#include <cstdlib>

// The control words that set formats, page and table properties, and the structural ones.
namespace quillory::doc::rtf {

namespace {

int checked(const Token& token, int low, int high, const char* message)
{
    if (token.parameter < low || token.parameter > high)
        throw SyntaxError{RtfStatus::OutOfRange, message, token.offset};
    return token.parameter;
}

int length(const Token& token)
{
    return checked(token, 0, MaxLength, "A length is out of range.");
}

int signedLength(const Token& token)
{
    return checked(token, -MaxLength, MaxLength, "A length is out of range.");
}

bool switchedOn(const Token& token)
{
    return !token.hasParameter || token.parameter != 0;
}

} // namespace

bool Parser::structure(Keyword keyword, const Token& token)
{
    const Destination destination = state().destination;
    const bool inStory = destination == Destination::Body || destination == Destination::ShapeText;
    const bool inBody = destination == Destination::Body;
    const ParaState& para = state().para;
    switch (keyword) {
    case Keyword::Par:
        if (inStory)
            story().endParagraph(toParaFormat(para), resolve(state().chars),
                                 inBody && para.inTable);
        return true;
    case Keyword::Cell:
        if (inBody)
            m_body.endCell(toParaFormat(para), resolve(state().chars));
        else if (inStory) // text boxes hold no tables: a cell's end is a paragraph's end
            story().endParagraph(toParaFormat(para), resolve(state().chars), false);
        return true;
    case Keyword::Row:
        if (inBody)
            m_body.endRow();
        return true;
    case Keyword::Unicode: {
        const int unit = checked(token, -32768, 65535, "A Unicode escape is out of range.");
        text(QString(QChar(char16_t(unit & 0xFFFF))), false);
        m_fallbackLeft = state().unicodeSkip;
        return true;
    }
    case Keyword::UnicodeSkip:
        state().unicodeSkip = checked(token, 0, 16, "A Unicode fallback length is out of range.");
        return true;
    case Keyword::Binary:
        m_tokenizer.skipBytes(
            checked(token, 0, std::numeric_limits<int>::max(), "A binary length is out of range."));
        return true;
    default: break;
    }
    static constexpr std::pair<Keyword, char16_t> Characters[] = {
        {Keyword::Tab, u'\t'},
        {Keyword::Line, 0x2028},
        {Keyword::EmDash, 0x2014},
        {Keyword::EnDash, 0x2013},
        {Keyword::LeftQuote, 0x2018},
        {Keyword::RightQuote, 0x2019},
        {Keyword::LeftDoubleQuote, 0x201C},
        {Keyword::RightDoubleQuote, 0x201D},
        {Keyword::Bullet, 0x2022},
    };
    for (const auto& [word, character] : Characters) {
        if (word == keyword) {
            text(QString(QChar(character)), false);
            return true;
        }
    }
    return false;
}

bool Parser::characterFormat(Keyword keyword, const Token& token)
{
    CharState& chars = state().chars;
    switch (keyword) {
    case Keyword::Plain: chars = CharState{}; return true;
    case Keyword::Font:
        (state().destination == Destination::FontTable ? m_fontIndex : chars.font) =
            token.parameter;
        return true;
    case Keyword::FontSize:
        chars.halfPoints = token.hasParameter
                               ? checked(token, 1, MaxHalfPoints, "A font size is out of range.")
                               : 24;
        return true;
    case Keyword::Bold: chars.bold = switchedOn(token); return true;
    case Keyword::Color: chars.color = token.parameter; return true;
    case Keyword::DefaultFont: m_defaultFont = token.parameter; return true;
    default: return false;
    }
}

bool Parser::paragraphFormat(Keyword keyword, const Token& token)
{
    ParaState& para = state().para;
    switch (keyword) {
    case Keyword::ParagraphDefaults: para = ParaState{}; return true;
    case Keyword::AlignLeft: para.alignment = Alignment::Left; return true;
    case Keyword::AlignCenter: para.alignment = Alignment::Center; return true;
    case Keyword::AlignRight: para.alignment = Alignment::Right; return true;
    case Keyword::Justify: para.alignment = Alignment::Justify; return true;
    case Keyword::TabStop:
        if (para.tabStops.size() >= MaxTabStops)
            throw SyntaxError{RtfStatus::TooLarge, "A paragraph has too many tab stops.",
                              token.offset};
        para.tabStops.append(length(token));
        return true;
    case Keyword::InTable: para.inTable = switchedOn(token); return true;
    case Keyword::Style: state().style = token.parameter; return true;
    default: return false;
    }
}

bool Parser::rowFormat(Keyword keyword, const Token& token)
{
    switch (keyword) {
    case Keyword::RowDefaults: m_rows = RowDefinition{}; return true;
    case Keyword::RowGap: m_rows.gap = length(token); return true;
    case Keyword::RowLeft: m_rows.left = signedLength(token); return true;
    case Keyword::RowHeight: // negative: exactly that height, which the model keeps as a minimum
        m_rows.minimumHeight = std::abs(signedLength(token));
        return true;
    case Keyword::RowHeading: m_rows.repeatAsHeading = switchedOn(token); return true;
    case Keyword::RowPaddingLeft: m_rows.paddingLeft = length(token); return true;
    case Keyword::RowPaddingRight: m_rows.paddingRight = length(token); return true;
    case Keyword::BorderWidth: m_rows.borders.width = length(token); return true;
    case Keyword::BorderColor:
        m_rows.borders.color = color(token.parameter).value_or(qRgb(0, 0, 0));
        return true;
    case Keyword::CellRight:
        m_budget.spend(1);
        if (!m_rows.defineCell(token.parameter))
            throw SyntaxError{RtfStatus::OutOfRange, "A cell's width is out of range.",
                              token.offset};
        return true;
    default: return cellFormat(keyword, token);
    }
}

bool Parser::cellFormat(Keyword keyword, const Token& token)
{
    Cell& cell = m_rows.pending;
    switch (keyword) {
    case Keyword::CellTop: cell.verticalAlignment = VerticalAlignment::Top; return true;
    case Keyword::CellCenter: cell.verticalAlignment = VerticalAlignment::Center; return true;
    case Keyword::CellBottom: cell.verticalAlignment = VerticalAlignment::Bottom; return true;
    case Keyword::CellNoWrap: cell.noWrap = switchedOn(token); return true;
    case Keyword::CellShading: cell.shading = color(token.parameter); return true;
    case Keyword::BorderSide: // every line of a table has the table's one border look
        return true;
    default: return false;
    }
}

bool Parser::pageFormat(Keyword keyword, const Token& token)
{
    PageSetup& page = m_document.page;
    int* const lengths[] = {&page.width,          &page.height,         &page.marginLeft,
                            &page.marginRight,    &page.marginTop,      &page.marginBottom,
                            &page.headerDistance, &page.footerDistance, &page.defaultTabWidth};
    static constexpr Keyword LengthWords[] = {
        Keyword::PaperWidth,     Keyword::PaperHeight,    Keyword::MarginLeft,
        Keyword::MarginRight,    Keyword::MarginTop,      Keyword::MarginBottom,
        Keyword::HeaderDistance, Keyword::FooterDistance, Keyword::DefaultTab};
    for (std::size_t i = 0; i < std::size(LengthWords); ++i) {
        if (LengthWords[i] == keyword) {
            *lengths[i] = length(token);
            return true;
        }
    }
    if (keyword == Keyword::Landscape) {
        page.landscape = switchedOn(token);
        return true;
    }
    return false;
}

void Parser::colorTableEntry(Keyword keyword, const Token& token)
{
    static constexpr const char* OutOfRange = "A colour component is out of range.";
    switch (keyword) {
    case Keyword::Red: m_red = checked(token, 0, 255, OutOfRange); break;
    case Keyword::Green: m_green = checked(token, 0, 255, OutOfRange); break;
    case Keyword::Blue: m_blue = checked(token, 0, 255, OutOfRange); break;
    default: break;
    }
}

} // namespace quillory::doc::rtf
