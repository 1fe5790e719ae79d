// SPDX-License-Identifier: MIT

#include "document/layout/glyph_text.h"

#include <QGlyphRun>
#include <QTextLayout>

#include <algorithm>

namespace quillory::doc {

namespace {

// Glyphs closer than this (in layout units, twips) are the same glyph.
constexpr qreal SamePlace = 0.5;

// A face is known by its own tables: one file drawn at several sizes is one face, as the PDF
// embeds it once.
QByteArray identityOf(const QRawFont& font)
{
    QByteArray identity = font.fontTable("name") + font.fontTable("head");
    if (identity.isEmpty())
        identity = (font.familyName().toLower() + u'\n' + font.styleName()).toUtf8();
    return identity;
}

// How many code units the character at `at` takes: two for a surrogate pair.
int characterLength(const QString& text, int at)
{
    return at + 1 < text.size() && text[at].isHighSurrogate() && text[at + 1].isLowSurrogate() ? 2
                                                                                               : 1;
}

bool holdsGlyphAt(const QGlyphRun& run, quint32 glyph, const QPointF& position)
{
    const QList<quint32> glyphs = run.glyphIndexes();
    const QList<QPointF> positions = run.positions();
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i] == glyph && (positions[i] - position).manhattanLength() < SamePlace)
            return true;
    }
    return false;
}

// Whether a script's glyphs may stand in another order or number than its characters (Thai's
// SARA AM is drawn as two glyphs, NIKHAHIT and SARA AA).
bool reorders(QChar::Script script)
{
    switch (script) {
    case QChar::Script_Thai:
    case QChar::Script_Lao:
    case QChar::Script_Devanagari:
    case QChar::Script_Bengali:
    case QChar::Script_Gurmukhi:
    case QChar::Script_Gujarati:
    case QChar::Script_Oriya:
    case QChar::Script_Tamil:
    case QChar::Script_Telugu:
    case QChar::Script_Kannada:
    case QChar::Script_Malayalam:
    case QChar::Script_Sinhala:
    case QChar::Script_Tibetan:
    case QChar::Script_Myanmar:
    case QChar::Script_Khmer: return true;
    default: return false;
    }
}

char32_t characterAt(const QString& text, int at)
{
    return characterLength(text, at) == 2 ? QChar::surrogateToUcs4(text[at], text[at + 1])
                                          : text[at].unicode();
}

// The first character from `at` of a script that reorders (none comes before U+0900).
int firstReorderingCharacter(const QString& text, int at, int end)
{
    for (; at < end; at += characterLength(text, at)) {
        const char32_t character = characterAt(text, at);
        if (character >= 0x0900 && reorders(QChar::script(character)))
            return at;
    }
    return end;
}

// Where a word that starts at `at` ends: after its letters, signs and joiners.
int reorderingWordEnd(const QString& text, int at, int end)
{
    while (at < end) {
        const char32_t character = characterAt(text, at);
        const QChar::Category category = QChar::category(character);
        if (!reorders(QChar::script(character)) && category != QChar::Mark_NonSpacing &&
            category != QChar::Mark_SpacingCombining && character != 0x200C && character != 0x200D)
            break;
        at += characterLength(text, at);
    }
    return at;
}

bool isLeftToRight(const QTextLayout& layout, int start, int end)
{
    if (layout.textOption().textDirection() == Qt::RightToLeft)
        return false;
    const QString& text = layout.text();
    for (int at = start; at < end; at += characterLength(text, at)) {
        const QChar::Direction direction = QChar::direction(characterAt(text, at));
        if (direction == QChar::DirR || direction == QChar::DirAL || direction == QChar::DirRLE ||
            direction == QChar::DirRLO || direction == QChar::DirRLI)
            return false;
    }
    return true;
}

// A right-to-left glyph's characters from left to right, as the glyphs around it are drawn: a
// reader takes the glyphs of a line from left to right and turns a right-to-left stretch
// around, the letters of a lam-alef ligature with it.
QString inDrawnOrder(const QString& text)
{
    QString reversed;
    reversed.reserve(text.size());
    for (qsizetype at = text.size(); at > 0;) {
        const qsizetype length =
            at > 1 && text[at - 1].isLowSurrogate() && text[at - 2].isHighSurrogate() ? 2 : 1;
        at -= length;
        reversed += QStringView(text).sliced(at, length);
    }
    return reversed;
}

qint64 glyphsIn(const QList<QGlyphRun>& runs)
{
    qint64 count = 0;
    for (const QGlyphRun& run : runs)
        count += run.glyphIndexes().size();
    return count;
}

} // namespace

void GlyphTextRecorder::recordLine(const QTextLayout& layout, int line)
{
    const qint64 lineStart = m_drawn;
    const std::size_t lineSpans = m_spans.size();
    for (const QGlyphRun& run : layout.lineAt(line).glyphRuns()) {
        const int face = faceOf(run.rawFont());
        const QList<quint32> glyphs = run.glyphIndexes();
        QList<QPointF> positions;
        for (qsizetype i = 0; i < glyphs.size(); ++i, ++m_drawn) {
            QHash<quint32, int>& known = m_indexes[std::size_t(face)].glyphs;
            if (glyphs[i] != 0 && known.contains(glyphs[i]))
                continue;
            if (positions.isEmpty())
                positions = run.positions();
            // Glyph 0 (.notdef) stands for a character no font has, a different one each time.
            if (glyphs[i] == 0) {
                m_spans.push_back({m_drawn, 1, clusterOf(layout, line, face, 0, positions[i])});
                continue;
            }
            DrawnFace& drawn = m_faces[std::size_t(face)];
            known.insert(glyphs[i], int(drawn.glyphs.size()));
            drawn.glyphs.push_back(glyphs[i]);
            const QString text = textOf(layout, line, face, glyphs[i], positions[i]);
            drawn.texts.push_back(run.isRightToLeft() ? inDrawnOrder(text) : text);
        }
    }
    spanReorderedWords(layout, line, lineStart);
    std::sort(m_spans.begin() + qsizetype(std::min(lineSpans, m_spans.size())), m_spans.end(),
              [](const GlyphSpan& a, const GlyphSpan& b) { return a.first < b.first; });
}

int GlyphTextRecorder::faceOf(const QRawFont& font)
{
    for (const auto& [engine, face] : m_engines) {
        if (engine == font)
            return face;
    }
    const QByteArray identity = identityOf(font);
    int face = 0;
    while (face < int(m_faces.size()) && identityOf(m_faces[std::size_t(face)].font) != identity)
        ++face;
    if (face == int(m_faces.size())) {
        // The glyph every font starts with (.notdef) holds its first place, as it does in the PDF.
        m_faces.push_back({font, {0}, {QString()}});
        m_indexes.push_back({{{0, 0}}, {}});
    }
    m_engines.emplace_back(font, face);
    return face;
}

quint32 GlyphTextRecorder::ownGlyph(int face, char32_t character)
{
    QHash<char32_t, quint32>& characters = m_indexes[std::size_t(face)].characters;
    const auto found = characters.constFind(character);
    if (found != characters.constEnd())
        return *found;
    const QList<quint32> glyphs =
        m_faces[std::size_t(face)].font.glyphIndexesForString(QString::fromUcs4(&character, 1));
    const quint32 glyph = glyphs.isEmpty() ? 0 : glyphs.first();
    characters.insert(character, glyph);
    return glyph;
}

// A character of the line whose own glyph this is stands for it (田 rather than the radical ⽥
// that shares its glyph); a glyph no character of the line owns stands for its cluster.
QString GlyphTextRecorder::textOf(const QTextLayout& layout, int line, int face, quint32 glyph,
                                  const QPointF& position)
{
    const QTextLine text = layout.lineAt(line);
    const QString& string = layout.text();
    const int end = text.textStart() + text.textLength();
    for (int at = text.textStart(); at < end;) {
        const int length = characterLength(string, at);
        const char32_t character =
            length == 2 ? QChar::surrogateToUcs4(string[at], string[at + 1]) : string[at].unicode();
        if (ownGlyph(face, character) == glyph)
            return string.mid(at, length);
        at += length;
    }
    return clusterOf(layout, line, face, glyph, position);
}

// A word of a script whose glyphs do not follow its letters one by one (a vowel sign drawn
// before its consonant, conjuncts, below-base forms) is one span. Only in left-to-right lines:
// there the glyphs drawn before a word are the glyphs of the text before it.
void GlyphTextRecorder::spanReorderedWords(const QTextLayout& layout, int line, qint64 lineStart)
{
    const QTextLine text = layout.lineAt(line);
    const QString& string = layout.text();
    const int start = text.textStart();
    const int end = start + text.textLength();
    for (int at = start; at < end;) {
        const int word = firstReorderingCharacter(string, at, end);
        if (word == end || !isLeftToRight(layout, start, end))
            break;
        at = reorderingWordEnd(string, word, end);
        const qint64 first =
            lineStart + (word == start ? 0 : glyphsIn(text.glyphRuns(start, word - start)));
        const qint64 count = glyphsIn(text.glyphRuns(word, at - word));
        // A character no font has is read with the rest of its word.
        std::erase_if(m_spans, [&](const GlyphSpan& span) {
            return span.first >= first && span.first < first + count;
        });
        m_spans.push_back({first, count, string.mid(word, at - word)});
    }
}

QString GlyphTextRecorder::clusterOf(const QTextLayout& layout, int line, int face, quint32 glyph,
                                     const QPointF& position) const
{
    const QTextLine text = layout.lineAt(line);
    const QString& string = layout.text();
    const int end = text.textStart() + text.textLength();
    QString cluster;
    for (int at = text.textStart(); at < end;) {
        const int length = characterLength(string, at);
        for (const QGlyphRun& run : text.glyphRuns(at, length)) {
            const auto engine =
                std::find_if(m_engines.begin(), m_engines.end(),
                             [&](const auto& known) { return known.first == run.rawFont(); });
            if (engine != m_engines.end() && engine->second == face &&
                holdsGlyphAt(run, glyph, position)) {
                cluster += string.mid(at, length);
                break;
            }
        }
        at += length;
    }
    return cluster;
}

} // namespace quillory::doc
