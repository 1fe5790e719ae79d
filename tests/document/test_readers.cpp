// SPDX-License-Identifier: MIT
// Other readers of the RTF we write: LibreOffice, AbiWord and pandoc each find every text of a
// saved schedule, in order. The schedules are made as the program makes them: the template
// opened, both placeholders replaced, the classes typed, the document saved.
#include "document/automation/application_starter.h"
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
    const QString outOfOrder = wordsOutOfOrder(text, words);
    QVERIFY2(outOfOrder.isEmpty(), qPrintable(outOfOrder));
}

QTEST_MAIN(TestReaders)
#include "test_readers.moc"
