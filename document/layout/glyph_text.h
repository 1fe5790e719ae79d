// SPDX-License-Identifier: MIT

#pragma once

#include <QHash>
#include <QRawFont>
#include <QString>

#include <utility>
#include <vector>

class QTextLayout;

namespace quillory::doc {

/// One font face as it was drawn: its glyphs in the order they were first drawn, each with the
/// text it stands for.
struct DrawnFace {
    QRawFont font;               ///< the face, at one of the sizes it was drawn in
    std::vector<quint32> glyphs; ///< in the order first drawn
    std::vector<QString> texts;  ///< what each glyph stands for (empty where nothing was found)
};

/// Glyphs that read as a text only together, numbered in the order drawn from the first glyph
/// the recorder noted: a word of a script that reorders or joins its letters' glyphs, or a
/// glyph drawn for a character no font has.
struct GlyphSpan {
    qint64 first = 0; ///< the first glyph's number
    qint64 count = 0; ///< how many glyphs
    QString text;     ///< what they stand for together
};

/// Learns, line by line as the lines are painted, which glyphs of which faces are drawn and the
/// characters each one shows: the character whose own glyph it is where the line holds one,
/// otherwise the characters of its cluster (a ligature's letters, a contextual form's letter,
/// an emoji's surrogate pair).
class GlyphTextRecorder {
public:
    /// Notes the glyphs of one line of `layout`, in the order a painter draws them.
    void recordLine(const QTextLayout& layout, int line);
    /// Every face drawn, in the order first drawn.
    const std::vector<DrawnFace>& faces() const { return m_faces; }
    /// The stretches of glyphs whose text a reader cannot take from the glyphs one by one, in
    /// the order drawn.
    const std::vector<GlyphSpan>& spans() const { return m_spans; }
    /// How many glyphs were drawn.
    qint64 glyphCount() const { return m_drawn; }

private:
    struct FaceIndex {
        QHash<quint32, int> glyphs;          ///< glyph → its place in DrawnFace::glyphs
        QHash<char32_t, quint32> characters; ///< code point → its own glyph, as met
    };

    int faceOf(const QRawFont& font);
    quint32 ownGlyph(int face, char32_t character);
    QString textOf(const QTextLayout& layout, int line, int face, quint32 glyph,
                   const QPointF& position);
    void spanReorderedWords(const QTextLayout& layout, int line, qint64 lineStart);
    QString clusterOf(const QTextLayout& layout, int line, int face, quint32 glyph,
                      const QPointF& position) const;

    std::vector<DrawnFace> m_faces;
    std::vector<GlyphSpan> m_spans;
    qint64 m_drawn = 0;
    std::vector<FaceIndex> m_indexes;
    std::vector<std::pair<QRawFont, int>> m_engines; ///< each font engine met, and its face
};

} // namespace quillory::doc
