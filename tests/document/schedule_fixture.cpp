// SPDX-License-Identifier: MIT

#include "tests/document/schedule_fixture.h"

#include "base/file_system.h"
#include "document/automation/application_starter.h"
#include "document/layout/layout_paragraph.h"
#include "document/rtf/rtf_reader.h"
#include "homework/sample_data.h"
#include "resources/schedule_template.h"

#include <QFontMetricsF>
#include <QRegularExpression>

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

const QStringList DayNames{u"Monday"_s, u"Tuesday"_s,  u"Wednesday"_s, u"Thursday"_s,
                           u"Friday"_s, u"Saturday"_s, u"Sunday"_s};

} // namespace

Schedule sampleSchedule()
{
    Schedule schedule{sampleName(), u"Sep 6, 2021"_s, {}};
    for (const HomeworkEntry& entry : sampleClasses())
        schedule.classes.append({entry.Period, QStringList(entry.Days.begin(), entry.Days.end())});
    return schedule;
}

// Texts that break careless writers: every script, signs that mean something in RTF, control
// characters a user can paste, line breaks of every kind.
Schedule hostileSchedule()
{
    Schedule schedule{u"Zo\u00eb {\u03a9} \\b0 O'Brien"_s, u"Sep 6, 2021"_s, {}};
    schedule.classes = {
        {u"1. Fran\u00e7ais"_s,
         {u"Caf\u00e9 cr\u00e8me, na\u00efve, \u00c6r\u00f8, stra\u00dfe, \u00c7a va"_s,
          u"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac \u03b1\u03c3\u03ba\u03ae\u03c3\u03b5\u03b9\u03c2"_s,
          u"\u05e9\u05d9\u05e2\u05d5\u05e8\u05d9 \u05d1\u05d9\u05ea \u05d0\u05d1 ok"_s,
          u"\u6570\u5b66\u306e\u5bbf\u984c \u7b2c3\u7ae0"_s, u"Read \U0001F4DA then \U0001F389"_s,
          u"{ } {{x}} }{"_s, u"C:\\path\\to\\file \\\\"_s}},
        {u"{\\rtf1\\ansi \\par}"_s,
         {u"\\u1234? \\'e9 \\line \\tab \\*\\shp"_s, u"a\u0001b\u001fc\u0000d\u0007e"_s,
          u"line one\r\nline two\rline three\nline four"_s,
          u"\u20ac \u201cquotes\u201d \u2014 dash \u2026 \u2030 \u0152 \u0178"_s, u"a; b; \\;"_s,
          u"\ttab inside\t"_s, u"\u00a0\u00ff\u0100 end"_s}},
    };
    return schedule;
}

QString saveSchedule(const Schedule& schedule, const QString& folder, const QString& fileName)
{
    auto application = doc::startApplication();
    auto document = application->Documents().Open(writeTemplateCopy(folder), true);
    replacePlaceholders(document, schedule.name, schedule.date);
    typeClasses(*application, schedule.classes);
    const QString path = folder + u'/' + fileName + u".doc"_s;
    document.SaveAs(path);
    document.Close();
    return path;
}

QStringList expectedWords(const Schedule& schedule)
{
    static const QRegularExpression controls(u"[\\x{0}-\\x{8}\\x{b}\\x{c}\\x{e}-\\x{1f}]"_s);
    static const QRegularExpression space(u"\\s+"_s);
    QStringList texts{u"Homework for "_s + schedule.name, u"Week of "_s + schedule.date,
                      u"Period"_s};
    texts += DayNames;
    for (const ClassRow& row : schedule.classes)
        texts += QStringList{row.period} + row.days;
    QStringList words;
    for (QString text : texts)
        words += text.remove(controls).split(space, Qt::SkipEmptyParts);
    return words;
}

QString wordsOutOfOrder(const QString& text, const QStringList& words)
{
    qsizetype at = 0;
    for (const QString& word : words) {
        const qsizetype found = text.indexOf(word, at);
        if (found < 0)
            return u"missing or out of order: "_s + word + u"\nafter: "_s + text.mid(at, 200);
        at = found + word.size();
    }
    return QString();
}

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
