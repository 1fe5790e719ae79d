// SPDX-License-Identifier: MIT
// The week's session against its two stores: what reaches the settings file and when, the
// journal always ahead of it, and what a full disk or a failed write leaves.
#include "base/settings_store.h"
#include "homework/general_fields.h"
#include "journal/journal_codec.h"
#include "journal/journal_state.h"
#include "session/list_commands.h"
#include "session/sample_data_command.h"
#include "session/week_session.h"
#include "tests/support/failure_status.h"
#include "tests/support/faulty_file_layer.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_entries.h"
#include "tests/support/test_files.h"

#include <QTest>

#include <atomic>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

// What the journal at the path adds up to now.
journal::JournalState journalOn(const QString& path)
{
    journal::JournalState state;
    for (const journal::Record& record : journal::readRecords(readBytes(path)).records)
        state.apply(record);
    return state;
}

// A disk that counts the settings file's writes, and at each of them checks that the journal
// already holds the name being written.
class WatchedDisk final : public FaultyFileLayer {
public:
    explicit WatchedDisk(QString settings)
        : m_settings(std::move(settings))
    {
    }

    bool rename(const QString& from, const QString& to) const override
    {
        if (to == m_settings) {
            ++writes;
            const QString written =
                readIni(readBytes(from)).values.value(u"Quillory/Text1_0"_s).toString();
            if (journalOn(m_settings + u".journal"_s).fields().name != written)
                ++journalBehind;
        }
        return FaultyFileLayer::rename(from, to);
    }

    mutable std::atomic<int> writes{0};
    mutable std::atomic<int> journalBehind{0};

private:
    QString m_settings;
};

} // namespace

class TestWeekSession : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void writeMoments_data();
    void writeMoments();
    void aFullDiskKeepsTheFileAndSaysSo_data();
    void aFullDiskKeepsTheFileAndSaysSo();
    void restoringAnEarlierListKeepsTheOneItReplaces();

private:
    // A start as the main window makes it: the settings read, the journal opened.
    void start(WeekSession& session);
    // The stores done, and their failures told.
    void settle(WeekSession& session);

    std::unique_ptr<IsolatedSettings> m_settings;
    std::unique_ptr<ScriptedPrompts> m_prompts;
};

void TestWeekSession::init()
{
    m_settings = std::make_unique<IsolatedSettings>();
    m_prompts = std::make_unique<ScriptedPrompts>();
}

void TestWeekSession::cleanup()
{
    m_prompts.reset();
}

void TestWeekSession::start(WeekSession& session)
{
    session.readStored();
    session.restoreName();
    session.restoreDate();
    (void)session.restoreList();
    session.openJournal();
}

void TestWeekSession::settle(WeekSession& session)
{
    QCoreApplication::processEvents();
    (void)session.flushStores();
    QCoreApplication::processEvents();
}

void TestWeekSession::writeMoments_data()
{
    QTest::addColumn<QByteArray>("before"); // the settings file at the start
    QTest::addColumn<QString>("actions");   // '|'-separated, up to the close
    QTest::addColumn<int>("writesBeforeClose");
    QTest::addColumn<QByteArray>("after"); // the settings file after the close
    QTest::newRow("a first start, closed")
        << QByteArray() << QString() << 0 << QByteArray("[Quillory]\nHomework=\n");
    QTest::newRow("a date it cannot read, closed")
        << QByteArray("[Quillory]\nDateTimePicker1=not a date\n") << QString() << 0
        << QByteArray("[Quillory]\nDateTimePicker1=not a date\nHomework=\n");
    QTest::newRow("the same date picked again")
        << QByteArray("[Quillory]\nDateTimePicker1=2030-01-31T09:05:00\nHomework=\n")
        << u"pick 2030-01-31T09:05:00"_s << 0
        << QByteArray("[Quillory]\nDateTimePicker1=2030-01-31T09:05:00\nHomework=\n");
    QTest::newRow("a list written by hand as a list, closed")
        << QByteArray("[Quillory]\nHomework=\"A||MySeparator123||\", \"B\"\n") << QString() << 0
        << QByteArray("[Quillory]\nHomework=\"A||MySeparator123||\", \"B\"\n");
    QTest::newRow("typing, a class deleted")
        << QByteArray("[Quillory]\nHomework=" + toStoredForm({entry(u"1"_s)}).toUtf8() + "\n")
        << u"type B|type Ba|type Bas|type Base|delete|type BaseQ"_s << 1
        << QByteArray("[Quillory]\nHomework=\nText1_0=BaseQ\n");
}

void TestWeekSession::writeMoments()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, actions);
    QFETCH(int, writesBeforeClose);
    QFETCH(QByteArray, after);
    const QString path = settingsFilePath();
    if (!before.isEmpty()) {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(writeBytes(path, before));
    }
    WatchedDisk disk(path);
    WeekSession session(path, disk);
    start(session);
    for (const QString& action : actions.split(u'|', Qt::SkipEmptyParts)) {
        const QString argument = action.section(u' ', 1);
        if (action.startsWith(u"type"_s))
            session.typeName(argument);
        else if (action.startsWith(u"pick"_s))
            session.pickDate(QDateTime::fromString(argument, Qt::ISODate));
        else
            deleteSelectedClass(session.weekData(), 0);
    }
    settle(session);
    // Writes coalesce: a burst of typing may be fewer writes, never more.
    QVERIFY2(disk.writes <= writesBeforeClose, qPrintable(QString::number(disk.writes)));
    QVERIFY(writesBeforeClose == 0 || disk.writes > 0);
    test::require(session.store());
    QCOMPARE(readBytes(path), after);
    QCOMPARE(disk.journalBehind.load(), 0);
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestWeekSession::aFullDiskKeepsTheFileAndSaysSo_data()
{
    QTest::addColumn<qint64>("room"); // bytes the disk takes before it is full
    QTest::addColumn<int>("syncError");
    QTest::newRow("no room") << 0LL << 0;
    QTest::newRow("room for part of the file") << 20LL << 0;
    QTest::newRow("written, but not synced") << -1LL << EIO;
}

// The name typed goes nowhere: the file stays as it was, the user is told at the step that
// asked for the write, and neither the close nor the journal takes the week for stored.
void TestWeekSession::aFullDiskKeepsTheFileAndSaysSo()
{
    QFETCH(qint64, room);
    QFETCH(int, syncError);
    const QString path = settingsFilePath();
    const QByteArray before =
        "[Quillory]\nHomework=" + toStoredForm({entry(u"1"_s)}).toUtf8() + "\nText1_0=Dana\n";
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QVERIFY(writeBytes(path, before));
    FaultyFileLayer disk;
    WeekSession session(path, disk);
    start(session);
    disk.bytesLeft = room;
    disk.syncError = syncError;
    session.typeName(u"Danae"_s);
    settle(session);
    QCOMPARE(readBytes(path), before);
    QCOMPARE(m_prompts->errorReports().size(), 1);
    QVERIFY(m_prompts->errorReports().constFirst().contains(
        u"in Brackwater2021/08/31.Form1.Text1_Change at line 100"_s));
    QVERIFY(!session.store());
    QCOMPARE(readBytes(path), before);
    QVERIFY(!journalOn(path + u".journal"_s).endsStored());
    // Room again: the close stores the name with the list.
    disk.bytesLeft = -1;
    disk.syncError = 0;
    test::require(session.store());
    QCOMPARE(GetSetting(u"Text1_0"_s, {}), u"Danae"_s);
    QVERIFY(journalOn(path + u".journal"_s).endsStored());
}

void TestWeekSession::restoringAnEarlierListKeepsTheOneItReplaces()
{
    test::require(SaveSetting(u"Homework"_s, toStoredForm({entry(u"first"_s)})));
    WeekSession session(settingsFilePath());
    start(session);
    clearData(session.weekData());
    loadSampleData(session.weekData());
    session.restoreEarlier(session.earlierLists().constFirst());
    QCOMPARE(session.list().entries(), QList{entry(u"first"_s)});
    QStringList kept;
    for (const journal::EarlierList& earlier : session.earlierLists())
        kept.append(earlier.entries.constFirst().Period + u": "_s + earlier.replacedBy);
    QCOMPARE(kept, (QStringList{u"1. Physical Science: Restore Earlier List"_s,
                                u"first: Clear/Reset Data"_s}));
}

QTEST_GUILESS_MAIN(TestWeekSession)
#include "test_week_session.moc"
