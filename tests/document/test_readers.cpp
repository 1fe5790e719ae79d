// Other readers of the RTF we write: LibreOffice, AbiWord and pandoc each find every text of a
// saved schedule, in order. The schedules are made as the program makes them: the template
// opened, both placeholders replaced, the classes typed, the document saved.
#include "document/automation/application_starter.h"
#include "homework/sample_data.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/text_readers.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

struct Schedule {
    QString name;
    QString date;
    QList<ClassRow> classes;
};

const QStringList DayNames{u"Monday"_s, u"Tuesday"_s,  u"Wednesday"_s, u"Thursday"_s,
                           u"Friday"_s, u"Saturday"_s, u"Sunday"_s};

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

// Random texts from pieces of every kind, many classes of them.
Schedule generatedSchedule(quint32 seed, int classes)
{
    static const QStringList pieces{
        u"a"_s,      u"Zq9"_s,    u"{"_s,      u"}"_s,      u"\\"_s,      u"\\par"_s,
        u"\u00e9"_s, u"\u20ac"_s, u"\u0394"_s, u"\u05d0"_s, u"\u4e2d"_s,  u"\U0001F600"_s,
        u";"_s,      u"\u0001"_s, u"\t"_s,     u" "_s,      u"\u2019s"_s, u"?"_s};
    QRandomGenerator random(seed);
    Schedule schedule{u"Generated"_s, u"Sep 6, 2021"_s, {}};
    for (int i = 0; i < classes; ++i) {
        ClassRow row{u"G%1"_s.arg(i), {}};
        for (int day = 0; day < 7; ++day) {
            QString text;
            for (int n = int(random.bounded(1, 30)); n > 0; --n)
                text += pieces[random.bounded(int(pieces.size()))];
            row.days.append(text);
        }
        schedule.classes.append(row);
    }
    return schedule;
}

QString saveSchedule(const Schedule& schedule, const QString& folder, const QString& name)
{
    auto application = doc::startApplication();
    auto document = application->Documents().Open(writeTemplateCopy(folder), true);
    replacePlaceholders(document, schedule.name, schedule.date);
    typeClasses(*application, schedule.classes);
    const QString path = folder + u'/' + name + u".doc"_s;
    document.SaveAs(path);
    document.Close();
    return path;
}

// What any reader must find, in order: the words of every paragraph, without the control
// characters that are not text. Whitespace is left to the reader.
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

// Pandoc 2.17 does not join surrogate pairs: characters beyond the Basic Multilingual Plane
// come out as replacement characters whatever we write, so only the text around them counts.
QStringList withinTheBmp(const QStringList& words)
{
    static const QRegularExpression beyond(u"[\\x{10000}-\\x{10FFFF}]"_s);
    QStringList pieces;
    for (const QString& word : words)
        pieces += word.split(beyond, Qt::SkipEmptyParts);
    return pieces;
}

} // namespace

class TestReaders : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void readsEveryTextInOrder_data();
    void readsEveryTextInOrder();

private:
    TextReaders m_readers;
    QTemporaryDir m_folder;
    QMap<QString, std::pair<QString, Schedule>> m_documents;
};

void TestReaders::initTestCase()
{
    QVERIFY(m_folder.isValid());
    const std::pair<QString, Schedule> schedules[] = {
        {u"sample"_s, sampleSchedule()},
        {u"hostile"_s, hostileSchedule()},
        {u"generated"_s, generatedSchedule(20261207, 40)},
    };
    for (const auto& [name, schedule] : schedules)
        m_documents.insert(name, {saveSchedule(schedule, m_folder.path(), name), schedule});
}

void TestReaders::readsEveryTextInOrder_data()
{
    QTest::addColumn<TextReader>("reader");
    QTest::addColumn<QString>("document");
    for (const TextReader reader :
         {TextReader::LibreOffice, TextReader::AbiWord, TextReader::Pandoc})
        for (const QString& document : {u"sample"_s, u"hostile"_s, u"generated"_s})
            QTest::addRow("%s %s", qPrintable(TextReaders::name(reader)), qPrintable(document))
                << reader << document;
}

void TestReaders::readsEveryTextInOrder()
{
    QFETCH(TextReader, reader);
    QFETCH(QString, document);
    if (!m_readers.isInstalled(reader))
        QSKIP(qPrintable(TextReaders::name(reader) + u" is not installed (Debian package "_s +
                         TextReaders::package(reader) + u"); its reading is not checked"_s));
    const auto& [path, schedule] = m_documents[document];
    const QString text = m_readers.text(reader, path);
    QVERIFY2(!text.isEmpty(), "the reader found no text");
    QStringList words = expectedWords(schedule);
    if (reader == TextReader::Pandoc)
        words = withinTheBmp(words);
    qsizetype at = 0;
    for (const QString& word : words) {
        const qsizetype found = text.indexOf(word, at);
        QVERIFY2(found >= 0, qPrintable(u"missing or out of order: "_s + word + u"\nafter: "_s +
                                        text.mid(at, 200)));
        at = found + word.size();
    }
}

QTEST_MAIN(TestReaders)
#include "test_readers.moc"
