// SPDX-License-Identifier: MIT

#pragma once

#include "document/rtf/model.h"
#include "document/rtf/rtf_keywords.h"
#include "document/rtf/rtf_story.h"
#include "document/rtf/rtf_tokenizer.h"

#include <QHash>
#include <QList>

// Gives the tokens of an RTF document their meaning and builds the document model from them.
namespace quillory::doc::rtf {

/// Where the text of a group goes.
enum class Destination { Body, FontTable, ColorTable, StyleSheet, ShapeInstance, ShapeText, Skip };

/// Character formatting as RTF states it: indexes into the font and colour tables.
struct CharState {
    int font = -1; ///< -1: the default font (\deff)
    int halfPoints = 24;
    bool bold = false;
    int color = 0; ///< 0: automatic
};

/// Paragraph formatting; the tab stops are shared between nested groups until one changes.
struct ParaState {
    Alignment alignment = Alignment::Left;
    QList<int> tabStops;
    bool inTable = false;
};

/// The state that a group inherits from its parent and that ends with it.
struct GroupState {
    Destination destination = Destination::Body;
    CharState chars;
    ParaState para;
    int unicodeSkip = 1; ///< \uc: fallback characters after each \u
    int style = 0;       ///< \s: the style a stylesheet entry defines
};

/// Reads one RTF document; throws SyntaxError where it is malformed.
class Parser {
public:
    /// Reads `input`, which must outlive the parser.
    explicit Parser(QByteArrayView input);
    /// The document, or a SyntaxError thrown.
    Document parse();

private:
    void openRtf();
    void groupStart(const Token& token);
    void groupEnd(const Token& token);
    void finishGroup(const GroupState& closed);
    void controlWord(const Token& token, bool ignorable);
    void controlSymbol(const Token& token);
    void destination(Keyword keyword, const Token& token);
    bool structure(Keyword keyword, const Token& token);
    bool characterFormat(Keyword keyword, const Token& token);
    bool paragraphFormat(Keyword keyword, const Token& token);
    bool rowFormat(Keyword keyword, const Token& token);
    bool cellFormat(Keyword keyword, const Token& token);
    bool pageFormat(Keyword keyword, const Token& token);
    void colorTableEntry(Keyword keyword, const Token& token);
    void plainText(QByteArrayView bytes);
    void text(const QString& text, bool literal);
    void fontTableText(const QString& text, bool literal);
    void colorTableText(const QString& text, bool literal);
    void commitFont();
    void checkTrailer();

    GroupState& state() { return m_groups.back(); }
    StoryBuilder& story();
    void hexChar(const Token& token);
    bool skipsFallback();
    CharFormat resolve(const CharState& chars) const;
    std::optional<QRgb> color(int index) const;
    static ParaFormat toParaFormat(const ParaState& para);

    QByteArrayView m_input;
    Tokenizer m_tokenizer;
    qsizetype m_tokenOffset = 0; ///< where the token being read begins
    Budget m_budget;
    std::vector<GroupState> m_groups;
    bool m_ignorable = false; ///< a \* came: an unknown word after it opens a skipped group
    int m_fallbackLeft = 0;   ///< fallback characters of the last \u still to skip
    bool m_finished = false;

    QHash<int, QString> m_fonts;
    int m_defaultFont = 0;
    int m_fontIndex = 0;
    QString m_fontName;
    std::vector<std::optional<QRgb>> m_colors;
    int m_red = -1, m_green = -1, m_blue = -1;
    std::optional<CharState> m_base;

    RowDefinition m_rows;
    Document m_document;
    StoryBuilder m_body;
    std::optional<Shape> m_shape;
    std::optional<StoryBuilder> m_shapeStory;
};

} // namespace quillory::doc::rtf
