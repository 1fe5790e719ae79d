#include "tests/document/schedule_fixture.h"

#include "base/file_system.h"
#include "document/layout_paragraph.h"
#include "document/rtf/rtf_reader.h"
#include "resources/schedule_template.h"

#include <QFontMetricsF>

using namespace Qt::StringLiterals;

namespace quillory::test {

using namespace doc::automation;

namespace {

void replacePass(Range& story, const QString& text, const QString& replacement)
{
    story.Find().ClearFormatting();
    story.Find().Replacement().ClearFormatting();
    Find& find = story.Find();
    find.setText(text);
    find.Replacement().setText(replacement);
    find.setForward(true);
    find.setWrap(wdFindContinue);
    find.setFormat(false);
    find.setMatchCase(false);
    find.setMatchWholeWord(false);
    find.setMatchWildcards(false);
    find.setMatchSoundsLike(false);
    find.setMatchAllWordForms(false);
    find.Execute(wdReplaceAll);
}

} // namespace

doc::Document scheduleDocument()
{
    return doc::readRtf(templateBytes()).document.value();
}

QString writeTemplateCopy(const QString& folder)
{
    const QString path = joinPath(folder, u"template.dot"_s);
    WriteBytesToFile(templateBytes(), path);
    return path;
}

QList<ClassRow> numberedClasses(int count)
{
    const QStringList dayNames{u"Mon"_s, u"Tue"_s, u"Wed"_s, u"Thu"_s,
                               u"Fri"_s, u"Sat"_s, u"Sun"_s};
    QList<ClassRow> classes;
    for (int i = 1; i <= count; ++i) {
        ClassRow row{u"P%1"_s.arg(i), {}};
        for (const QString& day : dayNames)
            row.days.append(u"P%1 %2"_s.arg(i).arg(day));
        classes.append(row);
    }
    return classes;
}

void replacePlaceholders(doc::automation::Document& document, const QString& name,
                         const QString& date)
{
    for (Range& story : document.StoryRanges()) {
        replacePass(story, u"[YourName]"_s, name);
        replacePass(story, u"[Date]"_s, date);
    }
}

void typeClasses(Application& application, const QList<ClassRow>& classes)
{
    Selection selection = application.Selection();
    selection.MoveDown(wdLine, 3);
    for (qsizetype i = 0; i < classes.size(); ++i) {
        selection.TypeText(classes[i].period);
        for (const QString& day : classes[i].days) {
            selection.MoveRight(wdCell);
            selection.TypeText(day);
        }
        if (i + 1 < classes.size())
            selection.InsertRowsBelow(1);
    }
}

QString titleText(const doc::Document& document)
{
    return std::get<doc::Paragraph>(document.body.front()).text();
}

const doc::Table& scheduleTable(const doc::Document& document)
{
    return std::get<doc::Table>(document.body.at(2));
}

qreal fontLineHeight(int halfPoints, bool bold)
{
    doc::CharFormat format;
    format.halfPoints = halfPoints;
    format.bold = bold;
    const QFontMetricsF metrics(doc::layoutFont(format));
    return metrics.ascent() + metrics.descent();
}

QStringList rowTexts(const doc::Row& row)
{
    QStringList texts;
    for (const doc::Cell& cell : row.cells) {
        QStringList paragraphs;
        for (const doc::Paragraph& paragraph : cell.paragraphs)
            paragraphs.append(paragraph.text());
        texts.append(paragraphs.join(u'\n'));
    }
    return texts;
}

} // namespace quillory::test
