// SPDX-License-Identifier: MIT
// The list commands, the sample data and the name and date fields, on the real model and frame.
#include "app/general_data_frame.h"
#include "app/list_commands.h"
#include "app/sample_data_command.h"
#include "app/week_replacement.h"
#include "base/settings_store.h"
#include "homework/editor/form3.h"
#include "homework/general_fields.h"
#include "homework/homework_list_model.h"
#include "homework/sample_data.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_entries.h"
#include "tests/support/window_controls.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QDateTimeEdit>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

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

// An editor that records what the command hands it; when shown it either types a row into
// a real Form3 and presses a button there, or just closes.
class ScriptedEditor final : public ClassEditor {
public:
    ScriptedEditor(HomeworkListModel& list, std::function<void(Form3&)> script)
        : m_form(list)
        , m_script(std::move(script))
    {
    }

    void setPeriod(const QString& period) override { m_form.setPeriod(period); }
    void setDay(int day, const QString& text) override { m_form.setDay(day, text); }
    void setIndex(qint16 index) override { m_form.setIndex(index); }
    void showModal() override
    {
        m_form.showCentred();
        shownPeriod = test::Form3Controls(m_form).Text2->text();
        for (int day = 0; day < 7; ++day)
            shownDays.at(day) = test::Form3Controls(m_form).Text1.at(day)->toPlainText();
        shownIndex = m_form.index();
        m_script(m_form);
    }

    inline static QString shownPeriod;
    inline static std::array<QString, 7> shownDays;
    inline static qint16 shownIndex = 0;
    inline static int loads = 0;

private:
    Form3 m_form;
    std::function<void(Form3&)> m_script;
};

ClassEditorLoader scripted(HomeworkListModel& list, std::function<void(Form3&)> script)
{
    ScriptedEditor::loads = 0;
    ScriptedEditor::shownIndex = 0;
    return [&list, script] {
        ++ScriptedEditor::loads;
        return std::make_unique<ScriptedEditor>(list, script);
    };
}

void typeAndSave(Form3& form)
{
    test::Form3Controls(form).Text2->setText(u"new"_s);
    test::Form3Controls(form).Text1.at(6)->setPlainText(u"sunday"_s);
    QTest::mouseClick(test::Form3Controls(form).PushButton3, Qt::LeftButton);
}

void cancel(Form3& form)
{
    test::Form3Controls(form).Text2->setText(u"typed but cancelled"_s);
    QTest::mouseClick(test::Form3Controls(form).PushButton4, Qt::LeftButton);
}

} // namespace

class TestListCommands : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void addGoesToTheEnd_data();
    void addGoesToTheEnd();
    void editShowsTheRowAndSavesInPlace();
    void editCancelChangesNothing();
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
    void typingStoresEveryChange();
    void tabIntoTheNameSelectsItAll();
    void restoringWritesNothing();
    void datePicker();
    void pickerKeys_data();
    void pickerKeys();
    void newWeek_data();
    void newWeek();
    void aDateTypedAsItIsShown_data();
    void aDateTypedAsItIsShown();
    void earlierListNamesItsWeek_data();
    void earlierListNamesItsWeek();

private:
    WeekData with(HomeworkListModel& list) { return {list, *m_fields, m_history}; }

    std::unique_ptr<test::IsolatedSettings> m_settings;
    std::unique_ptr<test::ScriptedPrompts> m_prompts;
    std::unique_ptr<GeneralDataFrame> m_fields;
    QUndoStack m_history;
};

void TestListCommands::init()
{
    m_prompts.reset();
    m_settings = std::make_unique<test::IsolatedSettings>();
    m_prompts = std::make_unique<test::ScriptedPrompts>();
    m_fields = std::make_unique<GeneralDataFrame>();
    m_history.clear();
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
    HomeworkListModel list;
    list.setEntries(rows(count));
    addClass(with(list), scripted(list, typeAndSave));
    QCOMPARE(ScriptedEditor::shownIndex, qint16(-1));
    QVERIFY(ScriptedEditor::shownPeriod.isEmpty());
    QCOMPARE(list.rowCount(), count + 1);
    QCOMPARE(list.entries().last(), entry(u"new"_s, {QString(), {}, {}, {}, {}, {}, u"sunday"_s}));
    QCOMPARE(list.entries().mid(0, count), rows(count));
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestListCommands::editShowsTheRowAndSavesInPlace()
{
    HomeworkListModel list;
    QList<HomeworkEntry> expected = rows(3);
    expected[1] = entry(u"2"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s});
    list.setEntries(expected);
    editSelectedClass(with(list), 1, scripted(list, typeAndSave));
    QCOMPARE(ScriptedEditor::shownIndex, qint16(2));
    QCOMPARE(ScriptedEditor::shownPeriod, u"2"_s);
    for (int day = 0; day < 7; ++day)
        QCOMPARE(ScriptedEditor::shownDays.at(day), QString::number(day + 1));
    // Every text is written back, the untouched ones unchanged.
    expected[1] = entry(u"new"_s, {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"sunday"_s});
    QCOMPARE(list.entries(), expected);
}

void TestListCommands::editCancelChangesNothing()
{
    HomeworkListModel list;
    list.setEntries(rows(3));
    editSelectedClass(with(list), 2, scripted(list, cancel));
    QCOMPARE(ScriptedEditor::loads, 1);
    QCOMPARE(list.entries(), rows(3));
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
    HomeworkListModel list;
    list.setEntries(rows(count));
    editSelectedClass(with(list), selected, scripted(list, typeAndSave));
    deleteSelectedClass(with(list), selected);
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
    HomeworkListModel list;
    list.setEntries(rows(40000));
    editSelectedClass(with(list), row, scripted(list, typeAndSave));
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
    HomeworkListModel list;
    list.setEntries(rows(5));
    deleteSelectedClass(with(list), row);
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
    GeneralDataFrame& fields = *m_fields;
    test::GeneralDataControls(fields).Text1->setText(u"Sam"_s);
    test::GeneralDataControls(fields).DateTimePicker1->setDateTime(
        QDateTime(QDate(2024, 2, 29), QTime(8, 0)));
    HomeworkListModel list;
    list.setEntries(rows(4));
    clearData(with(list));
    QCOMPARE(list.rowCount(), 0);
    QVERIFY(fields.name().isEmpty());
    QCOMPARE(GetSetting(u"Text1_0"_s, u"unset"_s), QString());
    QCOMPARE(fields.date().date(), QDate(2024, 2, 29));
    QCOMPARE(restoredDate({}).date(), QDate(2024, 2, 29));
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestListCommands::sampleDataReplacesEverything()
{
    GeneralDataFrame& fields = *m_fields;
    HomeworkListModel list;
    list.setEntries(rows(20));
    loadSampleData(with(list));
    loadSampleData(with(list));
    QCOMPARE(list.rowCount(), 8);
    QCOMPARE(list.entries(), sampleClasses());
    QCOMPARE(list.entry(2), entry(u"3. Band"_s, {QString(),
                                                 u"Jazz Band Practice"_s,
                                                 {},
                                                 u"Jazz Band Practice"_s,
                                                 {},
                                                 u"Jazz Band Practice"_s}));
    QCOMPARE(list.entry(4).Days.at(5), u"Ledge 5.2 due"_s);
    QCOMPARE(list.entry(5), entry(u"6. Biz Applications I"_s));
    QCOMPARE(list.entry(7).Period, u"8. Geometry"_s);
    QCOMPARE(fields.name(), u"Dana Whitlow"_s);
    QCOMPARE(GetSetting(u"Text1_0"_s, {}), u"Dana Whitlow"_s);
    QCOMPARE(fields.date().date(), QDate::currentDate());
    QCOMPARE(restoredDate({}).toSecsSinceEpoch(), fields.date().toSecsSinceEpoch());
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestListCommands::typingStoresEveryChange()
{
    GeneralDataFrame fields;
    fields.show();
    QStringList stored;
    for (const char letter : {'a', 'b', 'c'}) {
        QTest::keyClick(test::GeneralDataControls(fields).Text1, letter);
        stored.append(GetSetting(u"Text1_0"_s, u"unset"_s));
    }
    QCOMPARE(stored, (QStringList{u"a"_s, u"ab"_s, u"abc"_s}));
    QTest::keyClick(test::GeneralDataControls(fields).Text1, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(test::GeneralDataControls(fields).Text1, Qt::Key_Delete);
    QCOMPARE(GetSetting(u"Text1_0"_s, u"unset"_s), QString());
    test::GeneralDataControls(fields).Text1->setText(u"  spaced  "_s);
    QCOMPARE(restoredName(0), u"  spaced  "_s);
}

void TestListCommands::tabIntoTheNameSelectsItAll()
{
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* fields = new GeneralDataFrame(&window);
    QWidget::setTabOrder(before, test::GeneralDataControls(*fields).Text1);
    test::GeneralDataControls(*fields).Text1->setText(u"Dana Whitlow"_s);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), test::GeneralDataControls(*fields).Text1);
    QCOMPARE(test::GeneralDataControls(*fields).Text1->selectedText(), u"Dana Whitlow"_s);
    QTest::keyClicks(test::GeneralDataControls(*fields).Text1, u"Jo"_s);
    QCOMPARE(fields->name(), u"Jo"_s);
    // Given the focus by the program, as at start-up.
    before->setFocus();
    test::GeneralDataControls(*fields).Text1->setFocus(Qt::OtherFocusReason);
    QCOMPARE(test::GeneralDataControls(*fields).Text1->selectedText(), u"Jo"_s);
}

void TestListCommands::restoringWritesNothing()
{
    {
        GeneralDataFrame fields;
        fields.restoreName();
        fields.restoreDate();
        QVERIFY(fields.name().isEmpty());
        QCOMPARE(fields.date(), QDateTime(QDate(2013, 6, 8), QTime(11, 51, 22)));
    }
    QVERIFY(!QFile::exists(m_settings->filePath()));
    SaveSetting(u"Text1_0"_s, u" Lee "_s);
    SaveSetting(u"DateTimePicker1"_s, u"not a date"_s);
    GeneralDataFrame fields;
    fields.restoreName();
    fields.restoreDate();
    QCOMPARE(fields.name(), u" Lee "_s);
    QCOMPARE(fields.date(), QDateTime(QDate(2013, 6, 8), QTime(11, 51, 22)));
    QCOMPARE(GetSetting(u"DateTimePicker1"_s, {}), u"not a date"_s);
}

void TestListCommands::datePicker()
{
    GeneralDataFrame fields;
    QCOMPARE(test::GeneralDataControls(fields).DateTimePicker1->displayFormat(),
             u"MMMM dd, yyyy"_s);
    QCOMPARE(test::GeneralDataControls(fields).DateTimePicker1->minimumDate(), QDate(1601, 1, 1));
    QCOMPARE(test::GeneralDataControls(fields).DateTimePicker1->maximumDate(), QDate(9999, 12, 31));
    QCOMPARE(fields.date(), QDateTime(QDate(2013, 6, 8), QTime(11, 51, 22)));
    test::GeneralDataControls(fields).DateTimePicker1->setDate(QDate(2031, 12, 1));
    GeneralDataFrame restarted;
    restarted.restoreDate();
    QCOMPARE(restarted.date(), QDateTime(QDate(2031, 12, 1), QTime(11, 51, 22)));
    QCOMPARE(m_prompts->shown().size(), 0);
}

// F4 and Alt+Down open the calendar and leave the date; Down steps it.
void TestListCommands::pickerKeys_data()
{
    QTest::addColumn<QKeyCombination>("keys");
    QTest::addColumn<bool>("opens");
    QTest::newRow("F4") << QKeyCombination(Qt::Key_F4) << true;
    QTest::newRow("Alt+Down") << (Qt::ALT | Qt::Key_Down) << true;
    QTest::newRow("Down") << QKeyCombination(Qt::Key_Down) << false;
}

void TestListCommands::pickerKeys()
{
    QFETCH(QKeyCombination, keys);
    QFETCH(bool, opens);
    GeneralDataFrame fields;
    fields.show();
    QDateTimeEdit* picker = test::GeneralDataControls(fields).DateTimePicker1;
    const QDateTime before = fields.date();
    QTest::keyClick(picker, keys.key(), keys.keyboardModifiers());
    QCOMPARE(picker->calendarWidget()->isVisible(), opens);
    QCOMPARE(fields.date() == before, opens);
    QCOMPARE(restoredDate(QDateTime()).isValid(), !opens); // only a step is stored
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
    m_fields->setDate(date);
    HomeworkListModel list;
    list.setEntries(rows(count));
    startNewWeek(with(list));
    QCOMPARE(m_fields->date(), after.isValid() ? after : date);
    QList<HomeworkEntry> emptied;
    for (int i = 1; i <= count; ++i)
        emptied.append(entry(QString::number(i)));
    QCOMPARE(list.entries(), after.isValid() ? emptied : rows(count));
    QCOMPARE(restoredDate({}), after);
    QCOMPARE(m_prompts->texts(test::ScriptedPrompts::Kind::Note),
             after.isValid() ? QStringList() : QStringList{noNewWeekNote()});
}

void TestListCommands::aDateTypedAsItIsShown_data()
{
    QTest::addColumn<QString>("typed"); // pasted when it starts with "^V"
    QTest::addColumn<QKeyCombination>("then");
    QTest::addColumn<QDate>("date");
    const QDate valentines(2027, 2, 14);
    QTest::newRow("as shown, Enter")
        << u"February 14, 2027"_s << QKeyCombination(Qt::Key_Return) << valentines;
    QTest::newRow("short form pasted, Tab")
        << u"^V2/14/27"_s << QKeyCombination(Qt::Key_Tab) << valentines;
    QTest::newRow("no date, Enter")
        << u"next Friday"_s << QKeyCombination(Qt::Key_Return) << QDate(2013, 6, 8);
}

void TestListCommands::aDateTypedAsItIsShown()
{
    QFETCH(QString, typed);
    QFETCH(QKeyCombination, then);
    QFETCH(QDate, date);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    GeneralDataFrame fields;
    QDateTimeEdit* picker = test::GeneralDataControls(fields).DateTimePicker1;
    fields.show();
    QVERIFY(QTest::qWaitForWindowActive(&fields));
    picker->setFocus();
    QTest::keyClick(picker, Qt::Key_A, Qt::ControlModifier);
    if (typed.startsWith(u"^V"_s)) {
        QGuiApplication::clipboard()->setText(typed.mid(2));
        QTest::keyClick(picker, Qt::Key_V, Qt::ControlModifier);
    } else {
        QTest::keyClicks(picker, typed);
    }
    QTest::keyClick(picker, then.key(), then.keyboardModifiers());
    QLocale::setDefault(QLocale::system());
    QCOMPARE(fields.date(), QDateTime(date, QTime(11, 51, 22)));
    QCOMPARE(picker->text(), date.toString(u"MMMM dd, yyyy"_s));
}

void TestListCommands::earlierListNamesItsWeek_data()
{
    QTest::addColumn<QString>("date"); // as stored
    QTest::addColumn<QDateTime>("replaced");
    QTest::addColumn<QString>("text");
    const QDateTime now(QDate(2026, 12, 22), QTime(8, 0)); // a Tuesday
    const QString week = storedDateText(QDateTime(QDate(2026, 12, 14), QTime(11, 51)));
    QTest::newRow("this week: the weekday")
        << week << QDateTime(QDate(2026, 12, 21), QTime(23, 39))
        << u"Week of Dec 14, 2026 \u2013 before Start a New Week, Mon 23:39"_s;
    QTest::newRow("older: the date too")
        << week << QDateTime(QDate(2026, 12, 15), QTime(9, 12)).addDays(-7)
        << u"Week of Dec 14, 2026 \u2013 before Start a New Week, Tue Dec 8 09:12"_s;
    QTest::newRow("no date that reads")
        << u"soon"_s << now << u"Before Start a New Week, Tue 08:00"_s;
}

void TestListCommands::earlierListNamesItsWeek()
{
    QFETCH(QString, date);
    QFETCH(QDateTime, replaced);
    QFETCH(QString, text);
    journal::EarlierList earlier;
    earlier.replacedBy = u"Start a New Week"_s;
    earlier.replacedAtMs = replaced.toMSecsSinceEpoch();
    earlier.fields = {u"Ann"_s, date};
    QCOMPARE(earlierListText(earlier, QDateTime(QDate(2026, 12, 22), QTime(8, 0))), text);
}

QTEST_MAIN(TestListCommands)
#include "test_list_commands.moc"
