// SPDX-License-Identifier: MIT

#include "document/rtf/rtf_keywords.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

namespace quillory::doc::rtf {

namespace {

using Entry = std::pair<std::string_view, Keyword>;

// Sorted by name (bytewise) for binary search; the static_assert below keeps it sorted.
constexpr std::array Keywords = std::to_array<Entry>({
    {"annotation", Keyword::Ignored},
    {"b", Keyword::Bold},
    {"bin", Keyword::Binary},
    {"blue", Keyword::Blue},
    {"brdrcf", Keyword::BorderColor},
    {"brdrw", Keyword::BorderWidth},
    {"bullet", Keyword::Bullet},
    {"cell", Keyword::Cell},
    {"cellx", Keyword::CellRight},
    {"cf", Keyword::Color},
    {"clNoWrap", Keyword::CellNoWrap},
    {"clbrdrb", Keyword::BorderSide},
    {"clbrdrl", Keyword::BorderSide},
    {"clbrdrr", Keyword::BorderSide},
    {"clbrdrt", Keyword::BorderSide},
    {"clcbpat", Keyword::CellShading},
    {"clvertalb", Keyword::CellBottom},
    {"clvertalc", Keyword::CellCenter},
    {"clvertalt", Keyword::CellTop},
    {"colortbl", Keyword::ColorTable},
    {"deff", Keyword::DefaultFont},
    {"deftab", Keyword::DefaultTab},
    {"do", Keyword::Ignored},
    {"emdash", Keyword::EmDash},
    {"endash", Keyword::EnDash},
    {"f", Keyword::Font},
    {"fonttbl", Keyword::FontTable},
    {"footer", Keyword::Ignored},
    {"footerf", Keyword::Ignored},
    {"footerl", Keyword::Ignored},
    {"footerr", Keyword::Ignored},
    {"footery", Keyword::FooterDistance},
    {"footnote", Keyword::Ignored},
    {"fs", Keyword::FontSize},
    {"green", Keyword::Green},
    {"header", Keyword::Ignored},
    {"headerf", Keyword::Ignored},
    {"headerl", Keyword::Ignored},
    {"headerr", Keyword::Ignored},
    {"headery", Keyword::HeaderDistance},
    {"info", Keyword::Ignored},
    {"intbl", Keyword::InTable},
    {"landscape", Keyword::Landscape},
    {"ldblquote", Keyword::LeftDoubleQuote},
    {"line", Keyword::Line},
    {"lquote", Keyword::LeftQuote},
    {"margb", Keyword::MarginBottom},
    {"margl", Keyword::MarginLeft},
    {"margr", Keyword::MarginRight},
    {"margt", Keyword::MarginTop},
    {"nonshppict", Keyword::Ignored},
    {"object", Keyword::Ignored},
    {"paperh", Keyword::PaperHeight},
    {"paperw", Keyword::PaperWidth},
    {"par", Keyword::Par},
    {"pard", Keyword::ParagraphDefaults},
    {"pict", Keyword::Ignored},
    {"plain", Keyword::Plain},
    {"qc", Keyword::AlignCenter},
    {"qj", Keyword::Justify},
    {"ql", Keyword::AlignLeft},
    {"qr", Keyword::AlignRight},
    {"rdblquote", Keyword::RightDoubleQuote},
    {"red", Keyword::Red},
    {"row", Keyword::Row},
    {"rquote", Keyword::RightQuote},
    {"rtf", Keyword::Rtf},
    {"s", Keyword::Style},
    {"shpinst", Keyword::ShapeInstance},
    {"shprslt", Keyword::Ignored},
    {"shptxt", Keyword::ShapeText},
    {"sp", Keyword::Ignored},
    {"stylesheet", Keyword::StyleSheet},
    {"tab", Keyword::Tab},
    {"tc", Keyword::Ignored},
    {"trbrdrb", Keyword::BorderSide},
    {"trbrdrh", Keyword::BorderSide},
    {"trbrdrl", Keyword::BorderSide},
    {"trbrdrr", Keyword::BorderSide},
    {"trbrdrt", Keyword::BorderSide},
    {"trbrdrv", Keyword::BorderSide},
    {"trgaph", Keyword::RowGap},
    {"trhdr", Keyword::RowHeading},
    {"trleft", Keyword::RowLeft},
    {"trowd", Keyword::RowDefaults},
    {"trpaddl", Keyword::RowPaddingLeft},
    {"trpaddr", Keyword::RowPaddingRight},
    {"trrh", Keyword::RowHeight},
    {"tx", Keyword::TabStop},
    {"u", Keyword::Unicode},
    {"uc", Keyword::UnicodeSkip},
    {"xe", Keyword::Ignored},
});

static_assert(std::is_sorted(Keywords.begin(), Keywords.end(),
                             [](const Entry& a, const Entry& b) { return a.first < b.first; }));

} // namespace

Keyword lookupKeyword(QByteArrayView word)
{
    const std::string_view name(word.data(), std::size_t(word.size()));
    const auto found =
        std::lower_bound(Keywords.begin(), Keywords.end(), name,
                         [](const Entry& e, std::string_view n) { return e.first < n; });
    return found != Keywords.end() && found->first == name ? found->second : Keyword::Unknown;
}

} // namespace quillory::doc::rtf
