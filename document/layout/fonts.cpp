// SPDX-License-Identifier: MIT

#include "document/layout/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <QTextLayout>

#include <mutex>
#include <optional>

namespace quillory::doc {

using namespace Qt::StringLiterals;

namespace {

// Whether the fonts can show every character of a line, as they can the characters of ASCII;
// decided from the characters, without shaping the line again.
bool showsEveryCharacter(const QTextLayout& text, const QTextLine& line)
{
    const QStringView characters =
        QStringView(text.text()).sliced(line.textStart(), line.textLength());
    std::optional<QFontMetricsF> metrics;
    for (qsizetype at = 0; at < characters.size(); ++at) {
        char32_t character = characters[at].unicode();
        if (character < 0x80)
            continue;
        if (QChar::isHighSurrogate(character) && at + 1 < characters.size() &&
            characters[at + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(characters[at], characters[at + 1]);
            ++at;
        }
        if (!metrics)
            metrics.emplace(text.font());
        if (!metrics->inFontUcs4(character))
            return false;
    }
    return true;
}

} // namespace

void installFontSubstitutions()
{
    const QStringList installed = QFontDatabase::families();
    // Qt tries a family's substitutes, in order, before the system's fallback fonts. Symbola
    // comes after WenQuanYi: of the ideographs it has 中 alone, which would stand out.
    const QStringList fallbacks{u"WenQuanYi Micro Hei"_s, u"Symbola"_s, u"Unifont Upper"_s};
    const std::pair<QString, QString> standIns[] = {
        {u"Century Gothic"_s, u"URW Gothic"_s},
        {u"Arial"_s, u"Liberation Sans"_s},
    };
    for (const auto& [original, standIn] : standIns) {
        QStringList substitutes = fallbacks;
        if (!installed.contains(original, Qt::CaseInsensitive))
            substitutes.prepend(standIn);
        QFont::insertSubstitutions(original, substitutes);
    }
}

void drawReplacementBoxes(QPainter& painter, const QTextLayout& text, int line,
                          const QPointF& origin)
{
    const QTextLine shown = text.lineAt(line);
    if (showsEveryCharacter(text, shown))
        return;
    // A character no font has is drawn with the glyph every font starts with (.notdef), blank
    // in many fonts.
    for (const QGlyphRun& run : shown.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        if (!glyphs.contains(0) || !font.pathForGlyph(0).isEmpty())
            continue;
        const qreal width = font.advancesForGlyphIndexes({0}).constFirst().x();
        const qreal height = font.ascent() * 0.7;
        painter.save();
        QPen pen = painter.pen();
        pen.setWidthF(height / 10);
        pen.setJoinStyle(Qt::MiterJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size(); ++i) {
            if (glyphs[i] == 0)
                painter.drawRect(QRectF(origin + positions[i] + QPointF(width * 0.15, -height),
                                        QSizeF(width * 0.7, height)));
        }
        painter.restore();
    }
}

QFont::Weight boldWeight(const QFont& font)
{
    static std::mutex mutex;
    static QHash<QString, QFont::Weight> weights;
    const std::lock_guard lock(mutex);
    const QString requested = font.family();
    const auto known = weights.constFind(requested);
    if (known != weights.constEnd())
        return *known;
    QFont bold(font);
    bold.setWeight(QFont::Bold);
    const QString family = QFontInfo(bold).family();
    int heaviest = 0;
    for (const QString& style : QFontDatabase::styles(family)) {
        if (!QFontDatabase::italic(family, style))
            heaviest = std::max(heaviest, QFontDatabase::weight(family, style));
    }
    const QFont::Weight weight =
        heaviest > QFont::Normal && heaviest < QFont::Bold ? QFont::Weight(heaviest) : QFont::Bold;
    weights.insert(requested, weight);
    return weight;
}

} // namespace quillory::doc
