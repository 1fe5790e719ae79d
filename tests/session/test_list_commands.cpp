// SPDX-License-Identifier: MIT
// The list commands, the sample data and the name and date, on the week's session: what each
// command does to the list, the name and the date, and what reaches the settings.
#include "base/settings_store.h"
#include "homework/general_fields.h"
#include "homework/sample_data.h"
#include "session/sample_data_command.h"
#include "session/week_session.h"
#include "tests/support/failure_status.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_entries.h"

#include <QFile>
#include <QTest>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

QList<HomeworkEntry> rows(int count)
{
    QList<HomeworkEntry> made;
    for (int i = 1; i <= count; ++i)
        made.append(entry(QString::number(i),
                          {u"mon %1"_s.arg(i), {}, {}, {}, {}, {}, u"sun %1"_s.arg(i)}));
    return made;
}

// An editor as the commands drive it: it keeps what it was handed and, when shown, saves the
// row it was given to type (appended in add mode, replacing its row otherwise) or cancels.
class ScriptedEditor final : public ClassEditor {
public:
    ScriptedEditor(HomeworkListModel& list, std::optional<HomeworkEntry> typed)
        : m_list(list)
        , m_typed(std::move(typed))
    {
        ++loads;
    }

    void setPeriod(const QString& period) override { shown.Period = period; }
    void setDay(int day, const QString& text) override { shown.Days.at(day) = text; }
    void setIndex(qint16 index) override { shownIndex = index; }
    void showModal() override
    {
        if (!m_typed)
            return;
        if (shownIndex == -1)
            m_list.append(*m_typed);
        else
            m_list.replace(shownIndex - 1, *m_typed);
    }

    inline static HomeworkEntry shown;
    inline static qint16 shownIndex = 0;
    inline static int loads = 0;

private:
    HomeworkListModel& m_list;
    std::optional<HomeworkEntry> m_typed;
};

const HomeworkEntry Typed = entry(u"new"_s, {QString(), {}, {}, {}, {}, {}, u"sunday"_s});

ClassEditorLoader scripted(HomeworkListModel& list, std::optional<HomeworkEntry> typed)
{
    ScriptedEditor::loads = 0;
    ScriptedEditor::shownIndex = 0;
    ScriptedEditor::shown = {};
    return [&list, typed] { return std::make_unique<ScriptedEditor>(list, typed); };
}

} // namespace

class TestListCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void addGoesToTheEnd_data();
    void addGoesToTheEnd();
    void editShowsTheRowAndSavesInPlace_data();
    void editShowsTheRowAndSavesInPlace();
    void editAndDeleteWithoutARowToActOn_data();
    void editAndDeleteWithoutARowToActOn();
    void editPastSixteenBitPositions_data();
    void editPastSixteenBitPositions();
    void deleteKeepsTheOrder_data();
    void deleteKeepsTheOrder();
    void commandsThatCanActOnTheSelectedRow_data();
    void commandsThatCanActOnTheSelectedRow();
    void clearEmptiesNameAndListButKeepsTheDate();
    void sampleDataReplacesEverything();
    void restoringWritesNothing();
    void newWeek_data();
    void newWeek();

private:
    // What the settings file holds once the session's stores are done.
    QString stored(const QString& key);

    std::unique_ptr<test::IsolatedSettings> m_settings;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    std::unique_ptr<WeekSession> m_session;
};

void TestListCommands::init()
{
    m_session.reset();
    m_prompts.reset();
    m_settings = std::make_unique<test::IsolatedSettings>();
    m_prompts = std::make_unique<test::ScriptedPrompts>();
    m_session = std::make_unique<WeekSession>(settingsFilePath());
}

QString TestListCommands::stored(const QString& key)
{
    QCoreApplication::processEvents();
    test::require(m_session->flushStores());
    return GetSetting(key, u"unset"_s);
}

void TestListCommands::addGoesToTheEnd_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("empty list") << 0;
    QTest::newRow("three rows") << 3;
}

void TestListCommands::addGoesToTheEnd()
{
    QFETCH(int, count);
    HomeworkListModel& list = m_session->list();
    list.setEntries(rows(count));
    addClass(m_session->weekData(), scripted(list, Typed));
    QCOMPARE(ScriptedEditor::shownIndex, qint16(-1));
    QCOMPARE(ScriptedEditor::shown, HomeworkEntry());
    QCOMPARE(list.entries(), rows(count) + QList{Typed});
    QCOMPARE(m_session->history().undoText(), u"Add Class"_s);
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestListCommands::editShowsTheRowAndSavesInPlace_data()
{
    QTest::addColumn<std::optional<HomeworkEntry>>("typed"); // nothing: cancelled
    QTest::newRow("saved") << std::optional(Typed);
    QTest::newRow("cancelled") << std::optional<HomeworkEntry>();
}

void TestListCommands::editShowsTheRowAndSavesInPlace()
{
    QFETCH(std::optional<HomeworkEntry>, typed);
    HomeworkListModel& list = m_session->list();
    QList<HomeworkEntry> expected = rows(3);
    const HomeworkEntry second =
        entry(u"2"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s});
    expected[1] = second;
    list.setEntries(expected);
    editSelectedClass(m_session->weekData(), 1, scripted(list, typed));
    QCOMPARE(ScriptedEditor::loads, 1);
    QCOMPARE(ScriptedEditor::shownIndex, qint16(2));
    QCOMPARE(ScriptedEditor::shown, second);
    if (typed)
        expected[1] = *typed;
    QCOMPARE(list.entries(), expected);
    QCOMPARE(m_session->history().count(), typed ? 1 : 0);
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestListCommands::editAndDeleteWithoutARowToActOn_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<std::optional<int>>("selected");
    QTest::addColumn<bool>("noted");
    QTest::newRow("empty list") << 0 << std::optional<int>() << false;
    QTest::newRow("rows, none selected") << 3 << std::optional<int>() << true;
    QTest::newRow("selection past the end") << 3 << std::optional<int>(3) << true;
}

void TestListCommands::editAndDeleteWithoutARowToActOn()
{
    QFETCH(int, count);
    QFETCH(std::optional<int>, selected);
    QFETCH(bool, noted);
    HomeworkListModel& list = m_session->list();
    list.setEntries(rows(count));
    editSelectedClass(m_session->weekData(), selected, scripted(list, Typed));
    deleteSelectedClass(m_session->weekData(), selected);
    QCOMPARE(ScriptedEditor::loads, 0);
    QCOMPARE(list.entries(), rows(count));
    const QStringList expected =
        noted ? QStringList{noSelectionNote(), noSelectionNote()} : QStringList();
    QCOMPARE(m_prompts->texts(test::ScriptedPrompts::Kind::Note), expected);
    QVERIFY(m_prompts->errorReports().isEmpty());
}

void TestListCommands::editPastSixteenBitPositions_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("opens");
    QTest::newRow("position 32,767") << 32766 << true;
    QTest::newRow("position 32,768") << 32767 << false;
    QTest::newRow("position 40,000") << 39999 << false;
}

void TestListCommands::editPastSixteenBitPositions()
{
    QFETCH(int, row);
    QFETCH(bool, opens);
    HomeworkListModel& list = m_session->list();
    list.setEntries(rows(40000));
    editSelectedClass(m_session->weekData(), row, scripted(list, Typed));
    QCOMPARE(ScriptedEditor::loads, opens ? 1 : 0);
    QCOMPARE(list.entry(row).Period, opens ? u"new"_s : QString::number(row + 1));
    if (opens) {
        QCOMPARE(ScriptedEditor::shownIndex, qint16(32767));
        QCOMPARE(list.entry(0), rows(1).constFirst());
    } else {
        QCOMPARE(m_prompts->texts(test::ScriptedPrompts::Kind::Note),
                 QStringList{rowOutOfReachNote(row + 1)});
    }
}

void TestListCommands::deleteKeepsTheOrder_data()
{
    QTest::addColumn<int>("row");
    QTest::newRow("first") << 0;
    QTest::newRow("middle") << 2;
    QTest::newRow("last") << 4;
}

void TestListCommands::deleteKeepsTheOrder()
{
    QFETCH(int, row);
    HomeworkListModel& list = m_session->list();
    list.setEntries(rows(5));
    deleteSelectedClass(m_session->weekData(), row);
    QList<HomeworkEntry> expected = rows(5);
    expected.removeAt(row);
    QCOMPARE(list.entries(), expected);
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestListCommands::commandsThatCanActOnTheSelectedRow_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<std::optional<int>>("selected");
    // Edit, Delete, Move Up, Move Down: E, D, U, W where they can act.
    QTest::addColumn<QString>("enabled");
    QTest::newRow("empty list") << 0 << std::optional<int>() << u"----"_s;
    QTest::newRow("rows, none selected") << 3 << std::optional<int>() << u"----"_s;
    QTest::newRow("first of three") << 3 << std::optional<int>(0) << u"ED-W"_s;
    QTest::newRow("middle of three") << 3 << std::optional<int>(1) << u"EDUW"_s;
    QTest::newRow("last of three") << 3 << std::optional<int>(2) << u"EDU-"_s;
    QTest::newRow("the only row") << 1 << std::optional<int>(0) << u"ED--"_s;
    QTest::newRow("selection past the end") << 3 << std::optional<int>(3) << u"----"_s;
    QTest::newRow("position 32,767") << 40000 << std::optional<int>(32766) << u"EDUW"_s;
    QTest::newRow("position 32,768") << 40000 << std::optional<int>(32767) << u"-DUW"_s;
}

void TestListCommands::commandsThatCanActOnTheSelectedRow()
{
    QFETCH(int, count);
    QFETCH(std::optional<int>, selected);
    QFETCH(QString, enabled);
    const SelectedRowCommands can = selectedRowCommands(count, selected);
    const QString shown = QString(can.edit ? u'E' : u'-') + (can.remove ? u'D' : u'-') +
                          (can.moveUp ? u'U' : u'-') + (can.moveDown ? u'W' : u'-');
    QCOMPARE(shown, enabled);
}

void TestListCommands::clearEmptiesNameAndListButKeepsTheDate()
{
    GeneralData& fields = m_session->fields();
    fields.showName(u"Sam"_s);
    fields.setDate(QDateTime(QDate(2024, 2, 29), QTime(8, 0)));
    m_session->list().setEntries(rows(4));
    clearData(m_session->weekData());
    QCOMPARE(m_session->list().rowCount(), 0);
    QVERIFY(fields.name().isEmpty());
    QCOMPARE(stored(u"Text1_0"_s), QString());
    QCOMPARE(fields.date().date(), QDate(2024, 2, 29));
    QCOMPARE(stored(u"DateTimePicker1"_s), u"unset"_s);
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestListCommands::sampleDataReplacesEverything()
{
    GeneralData& fields = m_session->fields();
    HomeworkListModel& list = m_session->list();
    list.setEntries(rows(20));
    loadSampleData(m_session->weekData());
    loadSampleData(m_session->weekData());
    QCOMPARE(list.entries(), sampleClasses());
    QCOMPARE(list.entry(2), entry(u"3. Band"_s, {QString(),
                                                 u"Jazz Band Practice"_s,
                                                 {},
                                                 u"Jazz Band Practice"_s,
                                                 {},
                                                 u"Jazz Band Practice"_s}));
    QCOMPARE(list.entry(4).Days.at(5), u"Ledge 5.2 due"_s);
    QCOMPARE(list.entry(5), entry(u"6. Biz Applications I"_s));
    QCOMPARE(fields.name(), u"Dana Whitlow"_s);
    QCOMPARE(stored(u"Text1_0"_s), u"Dana Whitlow"_s);
    QCOMPARE(fields.date().date(), QDate::currentDate());
    QCOMPARE(dateFromStoredText(stored(u"DateTimePicker1"_s)).toSecsSinceEpoch(),
             fields.date().toSecsSinceEpoch());
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestListCommands::restoringWritesNothing()
{
    m_session->readStored();
    m_session->restoreName();
    m_session->restoreDate();
    QVERIFY(m_session->fields().name().isEmpty());
    QCOMPARE(m_session->fields().date(), QDateTime(QDate(2013, 6, 8), QTime(11, 51, 22)));
    test::require(m_session->flushStores());
    QVERIFY(!QFile::exists(m_settings->filePath()));

    test::require(SaveSetting(u"Text1_0"_s, u" Lee "_s));
    test::require(SaveSetting(u"DateTimePicker1"_s, u"not a date"_s));
    WeekSession restarted(settingsFilePath());
    restarted.readStored();
    restarted.restoreName();
    restarted.restoreDate();
    QCOMPARE(restarted.fields().name(), u" Lee "_s);
    QCOMPARE(restarted.fields().date(), QDateTime(QDate(2013, 6, 8), QTime(11, 51, 22)));
    QCOMPARE(stored(u"DateTimePicker1"_s), u"not a date"_s);
}

// The days emptied, the date a week on and stored; past the picker's last date, refused with a
// note and nothing changed.
void TestListCommands::newWeek_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QDateTime>("date");
    QTest::addColumn<QDateTime>("after"); // invalid: refused
    QTest::newRow("an empty list: only the date") << 0 << QDateTime(QDate(2030, 1, 31), QTime(9, 5))
                                                  << QDateTime(QDate(2030, 2, 7), QTime(9, 5));
    QTest::newRow("24 December 9999, last second")
        << 2 << QDateTime(QDate(9999, 12, 24), QTime(23, 59, 59))
        << QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59));
    QTest::newRow("25 December 9999")
        << 2 << QDateTime(QDate(9999, 12, 25), QTime(0, 0)) << QDateTime();
}

void TestListCommands::newWeek()
{
    QFETCH(int, count);
    QFETCH(QDateTime, date);
    QFETCH(QDateTime, after);
    m_session->fields().setDate(date);
    HomeworkListModel& list = m_session->list();
    list.setEntries(rows(count));
    startNewWeek(m_session->weekData());
    QCOMPARE(m_session->fields().date(), after.isValid() ? after : date);
    QList<HomeworkEntry> emptied;
    for (int i = 1; i <= count; ++i)
        emptied.append(entry(QString::number(i)));
    QCOMPARE(list.entries(), after.isValid() ? emptied : rows(count));
    QCOMPARE(dateFromStoredText(stored(u"DateTimePicker1"_s)), after);
    QCOMPARE(m_prompts->texts(test::ScriptedPrompts::Kind::Note),
             after.isValid() ? QStringList() : QStringList{noNewWeekNote()});
}

QTEST_GUILESS_MAIN(TestListCommands)
#include "test_list_commands.moc"
