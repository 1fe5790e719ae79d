// SPDX-License-Identifier: MIT

#include "document/rtf/rtf_parser.h"

#include "document/rtf/rtf_code_page.h"

#include <algorithm>
#include <utility>

namespace quillory::doc::rtf {

namespace {

// Word-made files nest about twenty groups deep.
constexpr qsizetype MaxDepth = 256;
// Items (runs, paragraphs, cells, tab stops) are allowed in proportion to the input: what the
// writer writes spends well over 16 bytes on each, so whatever it writes reads back, and no
// input makes the reader hold more than a small multiple of its own size.
constexpr qsizetype MinItems = qsizetype(1) << 19;
constexpr qsizetype BytesPerItem = 16;

bool isDestination(Keyword keyword)
{
    switch (keyword) {
    case Keyword::Rtf:
    case Keyword::FontTable:
    case Keyword::ColorTable:
    case Keyword::StyleSheet:
    case Keyword::ShapeInstance:
    case Keyword::ShapeText:
    case Keyword::Ignored: return true;
    default: return false;
    }
}

} // namespace

Parser::Parser(QByteArrayView input)
    : m_input(input)
    , m_tokenizer(input)
    , m_budget(std::max(MinItems, input.size() / BytesPerItem), m_tokenOffset)
    , m_body(m_budget, m_rows)
{
    m_groups.reserve(MaxDepth);
    // What a reader assumes when a file states no page: US Letter portrait, 1.25" and 1" margins.
    m_document.page = PageSetup{12240, 15840, false, 1800, 1800, 1440, 1440, 720, 720, 720};
}

Document Parser::parse()
{
    openRtf();
    while (!m_finished) {
        const Token token = m_tokenizer.next();
        m_tokenOffset = token.offset;
        const bool ignorable = std::exchange(m_ignorable, false);
        switch (token.kind) {
        case TokenKind::End:
            throw SyntaxError{RtfStatus::Unbalanced,
                              "The document ends before all its groups are closed.", token.offset};
        case TokenKind::GroupStart: groupStart(token); break;
        case TokenKind::GroupEnd: groupEnd(token); break;
        case TokenKind::ControlWord: controlWord(token, ignorable); break;
        case TokenKind::ControlSymbol: controlSymbol(token); break;
        case TokenKind::HexChar: hexChar(token); break;
        case TokenKind::Text: plainText(token.chars); break;
        }
    }
    checkTrailer();
    m_document.base = resolve(m_base.value_or(CharState{}));
    return std::move(m_document);
}

void Parser::openRtf()
{
    static constexpr const char* NotRtf =
        "This is not an RTF document: it does not begin with {\\rtf.";
    const Token first = m_tokenizer.next();
    if (first.kind != TokenKind::GroupStart || first.offset != 0)
        throw SyntaxError{RtfStatus::NotRtf, NotRtf, first.offset};
    const Token word = m_tokenizer.next();
    if (word.kind != TokenKind::ControlWord || lookupKeyword(word.chars) != Keyword::Rtf)
        throw SyntaxError{RtfStatus::NotRtf, NotRtf, word.offset};
    m_groups.push_back(GroupState{});
}

void Parser::groupStart(const Token& token)
{
    if (qsizetype(m_groups.size()) >= MaxDepth)
        throw SyntaxError{RtfStatus::TooDeep, "Groups are nested too deeply.", token.offset};
    GroupState inherited = m_groups.back();
    m_groups.push_back(std::move(inherited));
    m_fallbackLeft = 0;
}

void Parser::groupEnd(const Token&)
{
    GroupState closed = std::move(m_groups.back());
    m_groups.pop_back();
    m_fallbackLeft = 0;
    finishGroup(closed);
}

void Parser::finishGroup(const GroupState& closed)
{
    if (m_groups.empty()) {
        m_document.body =
            m_body.finish(toParaFormat(closed.para), resolve(closed.chars), closed.para.inTable);
        m_finished = true;
        return;
    }
    const Destination parent = state().destination;
    switch (closed.destination) {
    case Destination::FontTable:
        if (!m_fontName.isEmpty())
            commitFont();
        break;
    case Destination::StyleSheet:
        if (parent == Destination::StyleSheet && closed.style == 0 && !m_base)
            m_base = closed.chars;
        break;
    case Destination::ShapeText:
        if (parent == Destination::ShapeInstance && m_shapeStory) {
            for (Block& block :
                 m_shapeStory->finish(toParaFormat(closed.para), resolve(closed.chars), false)) {
                if (auto* paragraph = std::get_if<Paragraph>(&block))
                    m_shape->paragraphs.push_back(std::move(*paragraph));
            }
            m_shapeStory.reset();
        }
        break;
    case Destination::ShapeInstance:
        if (parent != Destination::ShapeInstance && m_shape) {
            m_document.shapes.push_back(std::move(*m_shape));
            m_shape.reset();
        }
        break;
    default: break;
    }
}

void Parser::controlWord(const Token& token, bool ignorable)
{
    const Keyword keyword = lookupKeyword(token.chars);
    if (state().destination == Destination::Skip || skipsFallback()) {
        if (keyword == Keyword::Binary)
            structure(keyword, token);
        return;
    }
    if (isDestination(keyword)) {
        destination(keyword, token);
        return;
    }
    if (ignorable) {
        state().destination = Destination::Skip;
        return;
    }
    if (state().destination == Destination::ColorTable) {
        colorTableEntry(keyword, token);
        return;
    }
    structure(keyword, token) || characterFormat(keyword, token) ||
        paragraphFormat(keyword, token) || rowFormat(keyword, token) || pageFormat(keyword, token);
}

void Parser::destination(Keyword keyword, const Token&)
{
    Destination& current = state().destination;
    switch (keyword) {
    case Keyword::FontTable: current = Destination::FontTable; break;
    case Keyword::ColorTable: current = Destination::ColorTable; break;
    case Keyword::StyleSheet: current = Destination::StyleSheet; break;
    case Keyword::ShapeInstance:
        // One text box at a time: a text box inside a text box is skipped.
        current = current == Destination::Body && !m_shape ? Destination::ShapeInstance
                                                           : Destination::Skip;
        if (current == Destination::ShapeInstance) {
            m_budget.spend(1);
            m_shape.emplace();
        }
        break;
    case Keyword::ShapeText:
        current = current == Destination::ShapeInstance && !m_shapeStory ? Destination::ShapeText
                                                                         : Destination::Skip;
        if (current == Destination::ShapeText)
            m_shapeStory.emplace(m_budget, m_rows);
        break;
    case Keyword::Ignored: current = Destination::Skip; break;
    default: // a repeated \rtf means nothing
        break;
    }
}

void Parser::controlSymbol(const Token& token)
{
    if (state().destination == Destination::Skip || skipsFallback())
        return;
    switch (token.symbol) {
    case '*': m_ignorable = true; break;
    case '\\':
    case '{':
    case '}': text(QString(QChar::fromLatin1(token.symbol)), false); break;
    case '~': text(QString(QChar(0x00A0)), false); break;
    case '_': text(QString(QChar(0x2011)), false); break;
    case '\n': structure(Keyword::Par, token); break;
    default: // optional hyphens, index marks and the like have no place in the model
        break;
    }
}

void Parser::hexChar(const Token& token)
{
    if (state().destination == Destination::Skip || skipsFallback())
        return;
    text(QString(QChar(fromWindows1252(token.byte))), false);
}

bool Parser::skipsFallback()
{
    if (m_fallbackLeft == 0)
        return false;
    --m_fallbackLeft;
    return true;
}

void Parser::plainText(QByteArrayView bytes)
{
    if (state().destination == Destination::Skip)
        return;
    QString decoded;
    decoded.reserve(bytes.size());
    for (const char c : bytes) {
        const uchar byte = uchar(c);
        if (skipsFallback() || (byte < 0x20 && byte != '\t'))
            continue; // stray control bytes are not text
        decoded += QChar(fromWindows1252(byte));
    }
    text(decoded, true);
}

void Parser::text(const QString& text, bool literal)
{
    switch (state().destination) {
    case Destination::Body:
    case Destination::ShapeText: story().addText(text, resolve(state().chars)); break;
    case Destination::FontTable: fontTableText(text, literal); break;
    case Destination::ColorTable: colorTableText(text, literal); break;
    default: break;
    }
}

void Parser::fontTableText(const QString& text, bool literal)
{
    for (const QChar c : text) {
        if (literal && c == u';') {
            commitFont();
        } else if (m_fontName.size() == MaxFontNameLength) {
            // Runs compare their fonts' names: long ones would make reading slow.
            throw SyntaxError{RtfStatus::TooLarge, "A font name is too long.", m_tokenOffset};
        } else {
            m_fontName += c;
        }
    }
}

void Parser::commitFont()
{
    m_budget.spend(1);
    m_fonts.insert(m_fontIndex, m_fontName);
    m_fontName.clear();
}

void Parser::colorTableText(const QString& text, bool literal)
{
    for (const QChar c : text) {
        if (!literal || c != u';')
            continue;
        m_budget.spend(1);
        const bool automatic = m_red < 0 && m_green < 0 && m_blue < 0;
        m_colors.push_back(automatic ? std::nullopt
                                     : std::optional<QRgb>(qRgb(qMax(m_red, 0), qMax(m_green, 0),
                                                                qMax(m_blue, 0))));
        m_red = m_green = m_blue = -1;
    }
}

void Parser::checkTrailer()
{
    for (qsizetype at = m_tokenizer.position(); at < m_input.size(); ++at) {
        const char c = m_input[at];
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\0')
            throw c == '}'
                ? SyntaxError{RtfStatus::Unbalanced, "A group is closed that was never opened.", at}
                : SyntaxError{RtfStatus::TrailingData,
                              "There is more after the end of the document.", at};
    }
}

StoryBuilder& Parser::story()
{
    return state().destination == Destination::ShapeText ? *m_shapeStory : m_body;
}

CharFormat Parser::resolve(const CharState& chars) const
{
    const int font = chars.font < 0 ? m_defaultFont : chars.font;
    CharFormat format;
    format.font = m_fonts.value(font, m_fonts.value(m_defaultFont));
    format.halfPoints = chars.halfPoints;
    format.bold = chars.bold;
    format.color = color(chars.color);
    return format;
}

std::optional<QRgb> Parser::color(int index) const
{
    return index >= 0 && std::size_t(index) < m_colors.size() ? m_colors[std::size_t(index)]
                                                              : std::nullopt;
}

ParaFormat Parser::toParaFormat(const ParaState& para)
{
    return ParaFormat{para.alignment, std::vector<int>(para.tabStops.begin(), para.tabStops.end())};
}

} // namespace quillory::doc::rtf
