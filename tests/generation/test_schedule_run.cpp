// SPDX-License-Identifier: MIT
// Filling the template into a working document, and the page snapshot, without the windows.
#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "document/automation/application_starter.h"
#include "document/layout/fonts.h"
#include "document/rtf/rtf_reader.h"
#include "generation/page_snapshot.h"
#include "generation/schedule_run.h"
#include "generation/snapshot_file.h"
#include "resources/schedule_template.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_entries.h"
#include "tests/support/test_files.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using test::entry;
using namespace Qt::StringLiterals;

namespace {

ScheduleRequest request(const QString& name, QList<HomeworkEntry> classes)
{
    return {u"[YourName]"_s, [name] { return name; }, [] { return u"Sep 6, 2021"_s; },
            [classes] { return int(classes.size()); },
            [classes](int row) { return classes.at(row); }};
}

doc::Document readDocument(const QString& path)
{
    return doc::readRtf(test::readBytes(path)).document.value_or(doc::Document{});
}

const doc::Table& tableOf(const doc::Document& document)
{
    for (const doc::Block& block : document.body) {
        if (const auto* table = std::get_if<doc::Table>(&block))
            return *table;
    }
    static const doc::Table none;
    return none;
}

QString cellText(const doc::Row& row, int column)
{
    QStringList paragraphs;
    for (const doc::Paragraph& paragraph : row.cells.at(column).paragraphs)
        paragraphs << paragraph.text();
    return paragraphs.join(u'\n');
}

// The step of each error report, in the order shown.
QStringList reportedSteps(const test::ScriptedPrompts& prompts)
{
    QStringList steps;
    for (const QString& report : prompts.errorReports())
        steps << QRegularExpression(u"at line (\\d+)"_s).match(report).captured(1);
    return steps;
}

QStringList rowTexts(const doc::Row& row)
{
    QStringList texts;
    for (int column = 0; column < int(row.cells.size()); ++column)
        texts << cellText(row, column);
    return texts;
}

} // namespace

class TestScheduleRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void tableHasOneRowPerClass_data();
    void tableHasOneRowPerClass();
    void titleTakesNameAndDate_data();
    void titleTakesNameAndDate();
    void dateIsWrittenInTheTemplatesLanguage_data();
    void dateIsWrittenInTheTemplatesLanguage();
    void wrappedTitleKeepsHeadingRow_data();
    void wrappedTitleKeepsHeadingRow();
    void leftoverTemplateCopyIsUsedAndDeleted();
    void plantedLinkIsNotWrittenThrough();
    void componentThatCannotStart();
    void missingTemplateCopyIsReportedOnce();
    void snapshotThroughTheClipboard();
    void longSnapshotKeepsItsLogicalSize();
    void clipboardReadsAreBounded();

private:
    std::optional<QString> fill(const ScheduleRequest& request);

    std::unique_ptr<QTemporaryDir> m_temp;
    test::ScriptedPrompts* m_prompts = nullptr;
};

void TestScheduleRun::initTestCase()
{
    doc::installFontSubstitutions();
}

void TestScheduleRun::init()
{
    m_temp = std::make_unique<QTemporaryDir>();
    qputenv("TEMP", m_temp->path().toLocal8Bit());
    m_prompts = new test::ScriptedPrompts;
}

void TestScheduleRun::cleanup()
{
    delete m_prompts;
    doc::setApplicationStarter({});
}

std::optional<QString> TestScheduleRun::fill(const ScheduleRequest& request)
{
    GuardedProcedure procedure({u"Form1", u"PushButton6_Click"});
    const FilledSchedule filled = fillScheduleTemplate(procedure, request);
    if (!filled.document)
        return std::nullopt;
    return filled.workingPath;
}

void TestScheduleRun::tableHasOneRowPerClass_data()
{
    QTest::addColumn<QList<HomeworkEntry>>("classes");
    QTest::newRow("none") << QList<HomeworkEntry>{};
    QTest::newRow("one") << QList{entry(u"1. Band"_s, {u"Practice"_s})};
    QTest::newRow("three, one with empty days")
        << QList{entry(u"1"_s, {u"m"_s, u"t"_s, u"w"_s, u"th"_s, u"f"_s, u"sa"_s, u"su"_s}),
                 entry(u"2"_s), entry(u"3"_s, {QString(), u"line one\nline two"_s})};
}

void TestScheduleRun::tableHasOneRowPerClass()
{
    QFETCH(QList<HomeworkEntry>, classes);
    const std::optional<QString> working = fill(request(u"Dana"_s, classes));
    QVERIFY(m_prompts->errorReports().isEmpty());
    QVERIFY(working.has_value());
    QVERIFY(QRegularExpression(u"^dravik[1-9]{8}\\.doc$"_s)
                .match(QFileInfo(*working).fileName())
                .hasMatch());
    QCOMPARE(QFileInfo(*working).absolutePath(), m_temp->path());
    // Only the working document is left behind.
    QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files),
             QStringList{QFileInfo(*working).fileName()});

    const doc::Document document = readDocument(*working);
    const doc::Table& table = tableOf(document);
    QCOMPARE(int(table.rows.size()), 1 + std::max(1, int(classes.size())));
    QCOMPARE(cellText(table.rows[0], 3), u"Wednesday"_s);
    for (int i = 0; i < classes.size(); ++i) {
        const doc::Row& row = table.rows[1 + i];
        QStringList expected{classes[i].Period};
        for (const QString& day : classes[i].Days)
            expected << day;
        QCOMPARE(rowTexts(row), expected);
        // Every class row keeps the data row's shading pattern.
        QCOMPARE(row.cells[0].shading, std::optional<QRgb>(qRgb(217, 227, 239)));
        QCOMPARE(row.cells[1].shading, std::optional<QRgb>(qRgb(243, 243, 243)));
        QCOMPARE(row.cells[2].shading, std::optional<QRgb>());
        QCOMPARE(row.minimumHeight, 792);
    }
    if (classes.isEmpty())
        QCOMPARE(rowTexts(table.rows[1]), QStringList(8, QString()));
}

void TestScheduleRun::titleTakesNameAndDate_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("title");
    QTest::newRow("plain") << u"Dana Whitlow"_s
                           << u"Homework for Dana Whitlow\tWeek of Sep 6, 2021"_s;
    QTest::newRow("empty") << QString() << u"Homework for \tWeek of Sep 6, 2021"_s;
    QTest::newRow("holds the date's placeholder")
        << u"Dana [date]"_s << u"Homework for Dana Sep 6, 2021\tWeek of Sep 6, 2021"_s;
    QTest::newRow("braces and backslashes")
        << u"{\\b Dana}\\par"_s << u"Homework for {\\b Dana}\\par\tWeek of Sep 6, 2021"_s;
}

void TestScheduleRun::titleTakesNameAndDate()
{
    QFETCH(QString, name);
    QFETCH(QString, title);
    const std::optional<QString> working = fill(request(name, {}));
    QVERIFY(working.has_value());
    const doc::Document document = readDocument(*working);
    const auto& paragraph = std::get<doc::Paragraph>(document.body.front());
    QCOMPARE(paragraph.text(), title);
    // The name keeps the placeholder's bold, the date the grey.
    QVERIFY(paragraph.runs.front().format.bold);
    QCOMPARE(paragraph.runs.back().format.color, std::optional<QRgb>(qRgb(153, 153, 153)));
}

void TestScheduleRun::dateIsWrittenInTheTemplatesLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("written");
    QTest::newRow("en_US") << u"en_US"_s << QDate(2021, 9, 6) << u"Sep 6, 2021"_s;
    QTest::newRow("de_DE") << u"de_DE"_s << QDate(2026, 2, 5) << u"Feb 5, 2026"_s;
    QTest::newRow("fr_FR") << u"fr_FR"_s << QDate(2026, 2, 5) << u"Feb 5, 2026"_s;
    QTest::newRow("ja_JP") << u"ja_JP"_s << QDate(2026, 2, 5) << u"Feb 5, 2026"_s;
    QTest::newRow("ar_EG") << u"ar_EG"_s << QDate(2026, 12, 25) << u"Dec 25, 2026"_s;
    QTest::newRow("he_IL") << u"he_IL"_s << QDate(1601, 1, 1) << u"Jan 1, 1601"_s;
}

void TestScheduleRun::dateIsWrittenInTheTemplatesLanguage()
{
    QFETCH(QString, locale);
    QFETCH(QDate, date);
    QFETCH(QString, written);
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    const QString text = scheduleDate(date);
    QLocale::setDefault(before);
    QCOMPARE(text, written);
}

void TestScheduleRun::wrappedTitleKeepsHeadingRow_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("38 letters, two lines") << QString(38, u'a');
    QTest::newRow("45 characters") << u"Alexandria Konstantinopoulou-Vanderbilt Smith"_s;
    QTest::newRow("many lines") << QString(400, u'm');
}

// A title that wraps pushes the table down; the classes still fill the data rows below the
// heading row.
void TestScheduleRun::wrappedTitleKeepsHeadingRow()
{
    QFETCH(QString, name);
    const std::optional<QString> working = fill(request(
        name, {entry(u"1. Math"_s, {u"p. 12"_s}), entry(u"2. Art"_s, {QString(), u"Sketch"_s})}));
    QVERIFY(m_prompts->errorReports().isEmpty());
    QVERIFY(working.has_value());
    const doc::Document document = readDocument(*working);
    const doc::Table& table = tableOf(document);
    QCOMPARE(int(table.rows.size()), 3);
    QCOMPARE(rowTexts(table.rows[0]),
             (QStringList{u"Period"_s, u"Monday"_s, u"Tuesday"_s, u"Wednesday"_s, u"Thursday"_s,
                          u"Friday"_s, u"Saturday"_s, u"Sunday"_s}));
    QCOMPARE(rowTexts(table.rows[1]),
             (QStringList{u"1. Math"_s, u"p. 12"_s, {}, {}, {}, {}, {}, {}}));
    QCOMPARE(rowTexts(table.rows[2]),
             (QStringList{u"2. Art"_s, {}, u"Sketch"_s, {}, {}, {}, {}, {}}));
    QCOMPARE(table.rows[2].cells[0].shading, std::optional<QRgb>(qRgb(217, 227, 239)));
    QCOMPARE(table.rows[2].minimumHeight, 792);
}

void TestScheduleRun::leftoverTemplateCopyIsUsedAndDeleted()
{
    const QString copy = joinPath(m_temp->path(), u"template.dot"_s);
    QVERIFY(test::writeBytes(copy, templateBytes()));
    const std::optional<QString> working = fill(request(u"Dana"_s, {}));
    QVERIFY(working.has_value());
    QVERIFY(m_prompts->errorReports().isEmpty());
    QVERIFY(!QFile::exists(copy));
}

void TestScheduleRun::plantedLinkIsNotWrittenThrough()
{
    const QString victim = joinPath(m_temp->path(), u"victim"_s);
    QVERIFY(QFile::link(victim, joinPath(m_temp->path(), u"template.dot"_s)));
    fill(request(u"Dana"_s, {}));
    QVERIFY(!QFile::exists(victim));
    QVERIFY(!m_prompts->errorReports().isEmpty());
    QVERIFY(m_prompts->errorReports().first().contains(u"at line 108"_s));
}

void TestScheduleRun::componentThatCannotStart()
{
    doc::setApplicationStarter([]() -> std::unique_ptr<doc::Application> {
        throw Failure(Failure::Unavailable, u"The engine is broken."_s);
    });
    const std::optional<QString> working = fill(request(u"Dana"_s, {entry(u"1"_s), entry(u"2"_s)}));
    QVERIFY(!working.has_value());
    const QStringList lines = reportedSteps(*m_prompts);
    QCOMPARE(lines.first(), u"110"_s);
    QVERIFY(m_prompts->errorReports().first().startsWith(u"The engine is broken.\r\n"_s));
    for (const QString& step : {u"114"_s, u"116"_s, u"118"_s, u"176"_s, u"180"_s, u"188"_s,
                                u"192"_s, u"204"_s, u"224"_s, u"226"_s, u"228"_s, u"230"_s})
        QVERIFY2(lines.contains(step), qPrintable(step));
    QCOMPARE(lines.count(u"204"_s), 1); // no row after the last class
    QCOMPARE(QDir(m_temp->path()).entryList(QDir::Files), QStringList());
}

// A template copy that cannot be written is reported where it fails, then by the opening that
// has nothing to open; the step between them has no failure of its own.
void TestScheduleRun::missingTemplateCopyIsReportedOnce()
{
    qputenv("TEMP", joinPath(m_temp->path(), u"no such folder"_s).toLocal8Bit());
    fill(request(u"Dana"_s, {}));
    QCOMPARE(reportedSteps(*m_prompts).mid(0, 2), (QStringList{u"108"_s, u"114"_s}));
}

void TestScheduleRun::snapshotThroughTheClipboard()
{
    const std::optional<QString> working = fill(request(u"Dana"_s, {entry(u"1"_s)}));
    QVERIFY(working.has_value());
    QGuiApplication::clipboard()->setText(u"what the user copied"_s);
    const QString snapshot = joinPath(m_temp->path(), u"temp.bmp"_s);
    QVERIFY(test::writeBytes(snapshot, "an older snapshot"));

    const std::optional<WrittenFile> written = SaveDocAsJPG(*working);

    QVERIFY(m_prompts->errorReports().isEmpty());
    QCOMPARE(written->path, snapshot);
    const SnapshotPicture picture = loadSnapshot(written);
    QVERIFY(picture && picture->bitmap().isNull()); // a vector picture, not a bitmap
    QVERIFY(test::readBytes(snapshot).startsWith("QLRYVPC2"));
    // The text area of the page, 13,680 twips wide.
    QCOMPARE(picture->extent().width(), 13680.0);
    const QImage pasted = QGuiApplication::clipboard()->image();
    QCOMPARE(qRound(pasted.width() / pasted.devicePixelRatio()), 912);
}

// A very long schedule's picture is pages of commands, in the file as they were recorded; pasted,
// its bitmap is drawn at a ratio below 1 and keeps its size in logical pixels: 912 wide.
void TestScheduleRun::longSnapshotKeepsItsLogicalSize()
{
    const std::optional<QString> working =
        fill(request(u"Dana"_s, {entry(u"1"_s, {QString(30000, u'w'), QString(30000, u'v')})}));
    QVERIFY(working.has_value());
    const std::optional<WrittenFile> written = SaveDocAsJPG(*working);
    QVERIFY(m_prompts->errorReports().isEmpty());
    const SnapshotPicture picture = loadSnapshot(written);
    QVERIFY(picture->pages().size() > 40);
    QVERIFY(picture->extent().height() > 40 * 10080);
    const QImage pasted = QGuiApplication::clipboard()->image();
    QVERIFY(pasted.devicePixelRatio() < 1);
    QVERIFY(qAbs(pasted.width() / pasted.devicePixelRatio() - 912) <= 1);
}

void TestScheduleRun::clipboardReadsAreBounded()
{
    int reads = 0;
    const auto fifthTime = [&] {
        ++reads;
        if (reads < 5)
            throw std::runtime_error("busy");
        return std::make_shared<const doc::VectorPicture>(
            doc::VectorPicture::fromBitmap(QImage(4, 4, QImage::Format_RGB32)));
    };
    QVERIFY(GetClipboardPicture(0, fifthTime).has_value());
    QCOMPARE(reads, 5);
    reads = 0;
    QVERIFY(!GetClipboardPicture(0, [&] {
                 ++reads;
                 return SnapshotPicture();
             }).has_value());
    QCOMPARE(reads, 1000);
}

QTEST_MAIN(TestScheduleRun)
#include "test_schedule_run.moc"
