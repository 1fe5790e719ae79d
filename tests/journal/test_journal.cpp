// SPDX-License-Identifier: MIT
// The journal's file as bytes, what reading a file in every state gives, the earlier lists it
// keeps, and what a start finds after every way the last run ended.
#include "base/file_system.h"
#include "journal/journal_codec.h"
#include "journal/list_journal.h"
#include "tests/support/failure_status.h"
#include "tests/support/test_entries.h"
#include "tests/support/test_files.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace quillory;
using namespace quillory::journal;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

const QList<HomeworkEntry> TwoRows{entry(u"1"_s, {u"a"_s}), entry(u"2"_s, {u"b"_s})};

StepRecord step(QList<ListOp> ops, const QString& replacedBy = {})
{
    return {std::move(ops), {u"Ada"_s, u"2030-01-31T09:05:00"_s}, replacedBy, 1000};
}

ListOp remove(int row)
{
    return {ListOp::Kind::Remove, row, 0, {}, {}, 0};
}

ListOp replaceAll(const QList<HomeworkEntry>& entries)
{
    return {ListOp::Kind::ReplaceAll, 0, 0, {}, entries, 0};
}

QByteArray journalOf(const QList<Record>& records)
{
    QByteArray bytes = fileHeader();
    for (const Record& record : records)
        bytes += frame(encodePayload(record));
    return bytes;
}

SnapshotRecord snapshot(const QList<HomeworkEntry>& entries)
{
    return {entries,
            {u"Ada"_s, u"2030-01-31T09:05:00"_s},
            {listDigest(entries), {u"Ada"_s, u"2030-01-31T09:05:00"_s}},
            1};
}

} // namespace

class TestJournal : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void recordFrameIsLengthChecksumPayload();
    void readingAFile_data();
    void readingAFile();
    void replaying_data();
    void replaying();
    void aStartAfterTheLastRun_data();
    void aStartAfterTheLastRun();
    void anUnusableJournalIsSetAsideAtOnce_data();
    void anUnusableJournalIsSetAsideAtOnce();
    void longListsKeepFewerEarlierLists();
};

void TestJournal::recordFrameIsLengthChecksumPayload()
{
    // Length 5, CRC-32 of length and payload, then: kind 4 (stored), no digest, "A", "".
    const Record stored = StoredRecord{{{}, {u"A"_s, {}}}};
    QCOMPARE(frame(encodePayload(stored)).toHex(), "0500000052e3beb10400014100");
    QCOMPARE(fileHeader(), QByteArray("QUILLORY-JOURNAL\x01\x00\x00\x00", 20));
}

void TestJournal::readingAFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ReadStatus>("status");
    QTest::addColumn<int>("records");
    const QByteArray whole = journalOf({snapshot(TwoRows), step({remove(0)}), step({remove(0)})});
    const qsizetype lastRecord = frame(encodePayload(step({remove(0)}))).size();
    QByteArray flipped = whole;
    flipped[whole.size() - lastRecord - 3] ^= 1; // inside the second record
    QByteArray flippedLast = whole;
    flippedLast[whole.size() - 2] ^= 1;
    QTest::newRow("whole") << whole << ReadStatus::Whole << 3;
    QTest::newRow("cut inside the last record") << whole.chopped(3) << ReadStatus::TornTail << 2;
    QTest::newRow("cut inside a frame header")
        << whole.chopped(lastRecord - 4) << ReadStatus::TornTail << 2;
    QTest::newRow("last record garbled") << flippedLast << ReadStatus::TornTail << 2;
    QTest::newRow("zeros after the last write")
        << whole + QByteArray(4096, '\0') << ReadStatus::TornTail << 3;
    QTest::newRow("a record garbled before another") << flipped << ReadStatus::Damaged << 1;
    QTest::newRow("header cut short") << fileHeader().first(7) << ReadStatus::TornTail << 0;
    QTest::newRow("another program's file")
        << QByteArray("[General]\nkey=value\n") << ReadStatus::Foreign << 0;
    QTest::newRow("empty") << QByteArray() << ReadStatus::TornTail << 0;
}

void TestJournal::readingAFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ReadStatus, status);
    QFETCH(int, records);
    const ReadOutcome outcome = readRecords(bytes);
    QCOMPARE(outcome.status, status);
    QCOMPARE(outcome.records.size(), records);
}

void TestJournal::replaying_data()
{
    QTest::addColumn<QList<Record>>("records");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<QStringList>("periods");
    QTest::addColumn<QStringList>("earlierCaptions");
    const QList<HomeworkEntry> none;
    const ListOp insert{ListOp::Kind::Insert, 2, 0, entry(u"3"_s), {}, 0};
    const ListOp move{ListOp::Kind::Move, 0, 1, {}, {}, 0};
    const ListOp emptyDays{ListOp::Kind::EmptyDays, 0, 0, {}, {}, 0};
    const ListOp restore{ListOp::Kind::RestoreEarlier, 0, 0, {}, {}, 1};
    QTest::newRow("insert, move") << QList<Record>{snapshot(TwoRows), step({insert, move})} << true
                                  << QStringList{u"2"_s, u"1"_s, u"3"_s} << QStringList{};
    QTest::newRow("clear keeps the list")
        << QList<Record>{snapshot(TwoRows), step({replaceAll(none)}, u"Clear/Reset Data"_s)} << true
        << QStringList{} << QStringList{u"Clear/Reset Data"_s};
    QTest::newRow("clear of an empty list keeps nothing")
        << QList<Record>{snapshot(none), step({}, u"Clear/Reset Data"_s)} << true << QStringList{}
        << QStringList{};
    QTest::newRow("a new week of empty days keeps nothing")
        << QList<Record>{snapshot({entry(u"1"_s)}), step({emptyDays}, u"Start a New Week"_s)}
        << true << QStringList{u"1"_s} << QStringList{};
    QTest::newRow("undone and made again: kept once")
        << QList<Record>{snapshot(TwoRows), step({replaceAll(none)}, u"Clear/Reset Data"_s),
                         step({restore}), step({replaceAll(none)}, u"Clear/Reset Data"_s)}
        << true << QStringList{} << QStringList{u"Clear/Reset Data"_s};
    QTest::newRow("delete, then the earlier list back")
        << QList<Record>{snapshot(TwoRows), step({remove(1)}, u"Delete Selected Class"_s),
                         step({restore})}
        << true << QStringList{u"1"_s, u"2"_s} << QStringList{u"Delete Selected Class"_s};
    QTest::newRow("a row that is not there")
        << QList<Record>{snapshot(TwoRows), step({remove(2)})} << false
        << QStringList{u"1"_s, u"2"_s} << QStringList{};
    QTest::newRow("an earlier list that is not there")
        << QList<Record>{snapshot(TwoRows), step({restore})} << false << QStringList{u"1"_s, u"2"_s}
        << QStringList{};
    QList<Record> many{snapshot(TwoRows)};
    for (int i = 0; i < 501; ++i) // each list differs from the one before
        many.append(step({replaceAll({entry(QString::number(i))})}, u"Start a New Week"_s));
    QTest::newRow("at most 500 lists")
        << many << true << QStringList{u"500"_s} << QStringList(500, u"Start a New Week"_s);
}

void TestJournal::replaying()
{
    QFETCH(QList<Record>, records);
    QFETCH(bool, fits);
    QFETCH(QStringList, periods);
    QFETCH(QStringList, earlierCaptions);
    JournalState state;
    bool allFit = true;
    for (const Record& record : records)
        allFit = state.apply(record) && allFit;
    QCOMPARE(allFit, fits);
    QStringList shown;
    for (const HomeworkEntry& row : state.entries())
        shown.append(row.Period);
    QCOMPARE(shown, periods);
    QStringList captions;
    for (const EarlierList& earlier : state.earlierLists())
        captions.append(earlier.replacedBy);
    QCOMPARE(captions, earlierCaptions);
}

void TestJournal::aStartAfterTheLastRun_data()
{
    QTest::addColumn<QList<Record>>("records");
    QTest::addColumn<QList<HomeworkEntry>>("settingsList");
    QTest::addColumn<QString>("settingsName");
    // The settings file beside the journal: "newer" or "older" than it, "empty", or none.
    QTest::addColumn<QString>("settingsFile");
    QTest::addColumn<std::optional<Week>>("recovered");
    QTest::addColumn<QString>("keptAsEarlier"); // the caption of the week kept, if one is
    const WeekFields fields{u"Ada"_s, u"2030-01-31T09:05:00"_s};
    const QList<HomeworkEntry> firstRow{TwoRows.first()};
    const Record stored = StoredRecord{{listDigest(firstRow), fields}};
    const QList<Record> afterAStep{snapshot(TwoRows), step({remove(1)})};
    const std::optional<Week> none;
    QTest::newRow("killed after a step") << afterAStep << TwoRows << u"Ada"_s << u"older"_s
                                         << std::optional(Week{firstRow, fields}) << QString();
    QTest::newRow("killed with a name stored in the middle of a step")
        << QList<Record>{snapshot(TwoRows)} << TwoRows << u"Dana Whitlow"_s << u"newer"_s
        << std::optional(Week{TwoRows, fields}) << QString();
    QTest::newRow("ended storing")
        << afterAStep + QList{stored} << firstRow << u"Ada"_s << u"newer"_s << none << QString();
    QTest::newRow("a name edited by hand since it ended")
        << afterAStep + QList{stored} << firstRow << u"Bo"_s << u"newer"_s << none << QString();
    QTest::newRow("killed after the list was stored")
        << afterAStep << firstRow << u"Ada"_s << u"newer"_s << none << QString();
    QTest::newRow("another list written by hand since")
        << afterAStep << QList{entry(u"hand"_s)} << u"Ada"_s << u"newer"_s << none
        << u"Settings File Changed"_s;
    QTest::newRow("another list, older than the journal")
        << afterAStep << QList{entry(u"hand"_s)} << u"Ada"_s << u"older"_s
        << std::optional(Week{firstRow, fields}) << u"Recover Last Session"_s;
    QTest::newRow("the settings file emptied")
        << afterAStep << QList<HomeworkEntry>{} << QString() << u"empty"_s
        << std::optional(Week{firstRow, fields}) << QString();
    QTest::newRow("no journal yet")
        << QList<Record>{} << TwoRows << u"Ada"_s << u"newer"_s << none << QString();
}

void TestJournal::aStartAfterTheLastRun()
{
    QFETCH(QList<Record>, records);
    QFETCH(QList<HomeworkEntry>, settingsList);
    QFETCH(QString, settingsName);
    QFETCH(QString, settingsFile);
    QFETCH(std::optional<Week>, recovered);
    QFETCH(QString, keptAsEarlier);
    const QTemporaryDir folder;
    const QString settings = folder.filePath(u"Quillory.conf"_s);
    if (!records.isEmpty())
        QVERIFY(writeBytes(settings + u".journal"_s, journalOf(records)));
    // The settings' content is what `stored` says; only its file's size and time count here.
    QVERIFY(writeBytes(settings, settingsFile == u"empty"_s ? "" : "[Quillory]\n"));
    const QDateTime journalTime = QFileInfo(settings + u".journal"_s).lastModified();
    if (!records.isEmpty())
        QVERIFY(setModified(settings, journalTime.addSecs(settingsFile == u"newer"_s ? 60 : -60)));
    ListJournal journal(settings);
    const Week stored{settingsList, {settingsName, u"2030-01-31T09:05:00"_s}};
    const Opening opening = journal.open(stored);
    QCOMPARE(opening.problem, QString());
    QCOMPARE(opening.recovered, recovered);
    QCOMPARE(opening.notice.isEmpty(), keptAsEarlier.isEmpty() && settingsFile != u"empty"_s);
    const QList<EarlierList> earlier = journal.earlierLists(QDateTime::currentMSecsSinceEpoch());
    QCOMPARE(earlier.isEmpty() ? QString() : earlier.constFirst().replacedBy, keptAsEarlier);
    // The journal begun anew holds the week shown and is private.
    test::require(journal.begin(opening.recovered.value_or(stored), stored));
    test::require(journal.waitForDisk());
    ListJournal again(settings);
    again.open(stored);
    QCOMPARE(again.state().entries(), opening.recovered.value_or(stored).entries);
    QCOMPARE(QFile::permissions(settings + u".journal"_s),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

void TestJournal::anUnusableJournalIsSetAsideAtOnce_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("problem");
    QTest::newRow("damaged") << u"damaged"_s << u"(it is damaged)"_s;
    QTest::newRow("another program's") << u"foreign"_s << u"(it is no journal of Quillory's)"_s;
    QTest::newRow("a pipe") << u"fifo"_s << u"is not a plain file;"_s;
    QTest::newRow("a folder") << u"folder"_s << u"is not a plain file;"_s;
    QTest::newRow("a link") << u"link"_s << u"is a link;"_s;
}

void TestJournal::anUnusableJournalIsSetAsideAtOnce()
{
    QFETCH(QString, kind);
    QFETCH(QString, problem);
    const QTemporaryDir folder;
    const QString settings = folder.filePath(u"Quillory.conf"_s);
    const QString path = settings + u".journal"_s;
    QByteArray damaged = journalOf({snapshot(TwoRows), step({remove(0)}), step({remove(0)})});
    damaged[fileHeader().size() + 12] ^= 1;
    if (kind == u"damaged")
        QVERIFY(writeBytes(path, damaged));
    else if (kind == u"foreign")
        QVERIFY(writeBytes(path, "not a journal"));
    else if (kind == u"fifo")
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (kind == u"folder")
        QVERIFY(QDir().mkdir(path));
    else
        QVERIFY(QFile::link(folder.filePath(u"elsewhere"_s), path));
    ListJournal journal(settings);
    const Week stored{TwoRows, {}};
    const Opening opening = journal.open(stored);
    QVERIFY2(opening.problem.contains(problem), qPrintable(opening.problem));
    QVERIFY2(opening.problem.contains(u"It is kept as "_s + path + u".damaged,"_s),
             qPrintable(opening.problem));
    QVERIFY(!opening.recovered);
    QVERIFY(QFileInfo(path + u".damaged"_s).exists() ||
            QFileInfo(path + u".damaged"_s).isSymLink());
    test::require(journal.begin(stored, stored));
    test::require(journal.waitForDisk());
    QVERIFY(readRecords(readBytes(path)).status == ReadStatus::Whole);
}

void TestJournal::longListsKeepFewerEarlierLists()
{
    // 5,000 rows of 1,500 random letters: 7.5 MB that hardly compress, so three times the list
    // is the room, and a journal begun anew has room for the list and one earlier list.
    QRandomGenerator random(7);
    QList<HomeworkEntry> rows;
    for (int i = 0; i < 5000; ++i) {
        QString text(1500, Qt::Uninitialized);
        for (QChar& c : text)
            c = QChar(u'a' + random.bounded(26));
        rows.append(entry(QString::number(i), {text}));
    }
    const qint64 room = 3 * 5000 * (1 + 4 + 1 + 1500 + 6);
    const QTemporaryDir folder;
    const QString settings = folder.filePath(u"Quillory.conf"_s);
    ListJournal journal(settings);
    journal.open({});
    test::require(journal.begin({rows, {}}, {rows, {}}));
    for (int week = 0; week < 4; ++week) {
        rows.first().Period = u"week "_s + QString::number(week);
        test::require(journal.record(step({replaceAll(rows)}, u"Start a New Week"_s)));
        test::require(journal.waitForDisk());
        QVERIFY(QFileInfo(settings + u".journal"_s).size() <= room);
    }
    ListJournal again(settings);
    again.open({});
    QCOMPARE(again.state().entries(), rows);
    QVERIFY(!again.state().earlierLists().isEmpty());
    QCOMPARE(again.state().earlierLists().constLast().entries.first().Period, u"week 2"_s);
}

QTEST_GUILESS_MAIN(TestJournal)
#include "test_journal.moc"
