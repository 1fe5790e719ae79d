// SPDX-License-Identifier: MIT

#include "homework/editor/kept_line_breaks.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

const QString TypedBreak = u"\n"_s;

// The characters at which the box starts a new paragraph; CR LF counts as one.
bool startsParagraph(QChar c)
{
    return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xfdd0) ||
           c == QChar(0xfdd1);
}

QStringList lineBreaksOf(const QString& text)
{
    QStringList breaks;
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (!startsParagraph(text.at(at)))
            continue;
        const bool crLf = text.at(at) == u'\r' && at + 1 < text.size() && text.at(at + 1) == u'\n';
        breaks.append(text.sliced(at, crLf ? 2 : 1));
        at += crLf ? 1 : 0;
    }
    return breaks;
}

} // namespace

KeptLineBreaks::KeptLineBreaks(QPlainTextEdit* box)
    : QObject(box)
    , m_box(box)
{
    connect(box->document(), &QTextDocument::contentsChange, this, &KeptLineBreaks::follow);
}

void KeptLineBreaks::load(const QString& text)
{
    m_box->setPlainText(text);
    m_loaded = text;
    m_loadedShown = m_box->document()->toRawText();
    m_breaks = lineBreaksOf(text);
    if (m_breaks.size() != paragraphBreaks()) // split otherwise than expected: none is kept
        m_breaks = QStringList(paragraphBreaks(), TypedBreak);
}

int KeptLineBreaks::paragraphBreaks() const
{
    return m_box->document()->blockCount() - 1;
}

// The breaks within the changed stretch are replaced by those it holds now, which are typed.
void KeptLineBreaks::follow(int position, int /*removed*/, int added)
{
    const QTextDocument* document = m_box->document();
    const int last = document->characterCount() - 1;
    const int before = document->findBlock(std::min(position, last)).blockNumber();
    const int through = document->findBlock(std::min(position + added, last)).blockNumber();
    const qsizetype removedBreaks = m_breaks.size() - paragraphBreaks() + (through - before);
    if (before < 0 || removedBreaks < 0 || before + removedBreaks > m_breaks.size()) {
        m_breaks = QStringList(paragraphBreaks(), TypedBreak); // out of step: none is kept
        return;
    }
    m_breaks.remove(before, removedBreaks);
    m_breaks.insert(before, through - before, TypedBreak);
}

QString KeptLineBreaks::text() const
{
    const QString shown = m_box->document()->toRawText();
    if (shown == m_loadedShown)
        return m_loaded;
    QString text;
    text.reserve(shown.size());
    qsizetype from = 0;
    for (const QString& lineBreak : m_breaks) {
        const qsizetype at = shown.indexOf(QChar::ParagraphSeparator, from);
        if (at < 0)
            break;
        text += QStringView(shown).sliced(from, at - from);
        text += lineBreak;
        from = at + 1;
    }
    QString rest = shown.sliced(from);
    return text + rest.replace(QChar::ParagraphSeparator, u'\n');
}

} // namespace quillory
