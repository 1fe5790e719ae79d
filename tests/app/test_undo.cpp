// SPDX-License-Identifier: MIT
// Undo and Redo of every command through the real main window, the new week, the keyboard, the
// bursts of typing that make one step, and what assistive technology reads out.
#include "app/form1.h"
#include "base/settings_store.h"
#include "homework/editor/form3.h"
#include "homework/stored_form.h"
#include "preview/form2.h"
#include "session/typing_burst.h"
#include "tests/support/failure_status.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_entries.h"
#include "tests/support/test_files.h"
#include "tests/support/window_controls.h"

#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

using State = std::tuple<QString, QDateTime, QList<HomeworkEntry>>;

// What the settings hold once the window's stores are done, and their failures reported.
QString stored(Form1& form, const QString& key)
{
    QCoreApplication::processEvents();
    (void)form.session().flushStores();
    QCoreApplication::processEvents();
    return GetSetting(key, {});
}

State stateOf(Form1& form)
{
    return {form.name(), form.date(), form.classList().entries()};
}

QStringList periods(Form1& form)
{
    QStringList shown;
    for (const HomeworkEntry& row : form.classList().entries())
        shown.append(row.Period);
    return shown;
}

// Answers the next class editor: a new period and Monday, then "Save".
void saveInTheNextEditor(const QString& period)
{
    QTimer::singleShot(0, [period] {
        auto* editor = qobject_cast<Form3*>(QApplication::activeModalWidget());
        QVERIFY(editor);
        Form3Controls(*editor).Text2->setText(period);
        Form3Controls(*editor).Text1.at(0)->setPlainText(u"new reading"_s);
        QTest::mouseClick(Form3Controls(*editor).PushButton3, Qt::LeftButton);
    });
}

QAction* menuItem(const Form1& form, const QString& name)
{
    return control<QMenu>(form, u"mnuList"_s)->findChild<QAction*>(name);
}

// Clicks the button or chooses the list's menu item with that name.
void press(const Form1& form, const QString& name)
{
    if (auto* button = form.findChild<QPushButton*>(name))
        button->click();
    else
        menuItem(form, name)->trigger();
}

} // namespace

class TestUndo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void undoAndRedo_data();
    void undoAndRedo();
    void mixedSequenceGoesBackToTheStart();
    void keyboardOnly();
    void keyboardSessions_data();
    void keyboardSessions();
    void undoingClearBringsBackTheListsPlace();
    void burstsOfTyping_data();
    void burstsOfTyping();
    void undoReportsANameItCannotStore();
    void everyControlIsNamedAndDescribed();

private:
    std::unique_ptr<Form1> started();
    QByteArray bytesAfterClosing(std::unique_ptr<Form1> form);

    std::unique_ptr<IsolatedSettings> m_settings;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    QByteArray m_unchanged;
};

void TestUndo::init()
{
    m_prompts.reset();
    m_settings = std::make_unique<IsolatedSettings>();
    m_prompts = std::make_unique<ScriptedPrompts>();
    test::require(SaveSetting(u"Text1_0"_s, u"Ada"_s));
    test::require(SaveSetting(u"DateTimePicker1"_s, u"2030-01-31T09:05:00"_s));
    test::require(SaveSetting(
        u"Homework"_s, toStoredForm({entry(u"1"_s, {u"a"_s}), entry(u"2"_s, {u"b"_s}),
                                     entry(u"3"_s, {QString(), {}, {}, {}, {}, {}, u"c"_s})})));
    const QByteArray stored = readBytes(m_settings->filePath());
    // What a run that changes nothing leaves behind.
    m_unchanged = bytesAfterClosing(started());
    QVERIFY(writeBytes(m_settings->filePath(), stored));
}

std::unique_ptr<Form1> TestUndo::started()
{
    auto form =
        std::make_unique<Form1>(HomePageCall{[] { return 1; }, [](const QUrl&) { return false; }});
    if (!form->Form_Load())
        return nullptr;
    form->showCentred();
    if (!QTest::qWaitForWindowActive(form.get()))
        return nullptr;
    return form;
}

QByteArray TestUndo::bytesAfterClosing(std::unique_ptr<Form1> form)
{
    form->close();
    return readBytes(m_settings->filePath());
}

void TestUndo::undoAndRedo_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("periodTyped"); // into the editor, if it opens
    QTest::addColumn<QStringList>("periodsAfter");
    QTest::addColumn<QString>("nameAfter");
    const QStringList sample{
        u"1. Physical Science"_s, u"2. English"_s,    u"3. Band"_s,
        u"4. U.S. History"_s,     u"5. Accounting"_s, u"6. Biz Applications I"_s,
        u"7. Study Hall"_s,       u"8. Geometry"_s};
    const QString ada = u"Ada"_s;
    QTest::newRow("add") << u"PushButton1"_s << u"4"_s
                         << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s} << ada;
    QTest::newRow("edit") << u"PushButton5"_s << u"2b"_s << QStringList{u"1"_s, u"2b"_s, u"3"_s}
                          << ada;
    QTest::newRow("delete") << u"PushButton2"_s << QString() << QStringList{u"1"_s, u"3"_s} << ada;
    QTest::newRow("clear") << u"PushButton3"_s << QString() << QStringList() << QString();
    QTest::newRow("sample") << u"PushButton4"_s << QString() << sample << u"Dana Whitlow"_s;
    QTest::newRow("new week") << u"mnuNewWeek"_s << QString() << QStringList{u"1"_s, u"2"_s, u"3"_s}
                              << ada;
    QTest::newRow("move up") << u"mnuMoveUp"_s << QString() << QStringList{u"2"_s, u"1"_s, u"3"_s}
                             << ada;
    QTest::newRow("move down") << u"mnuMoveDown"_s << QString()
                               << QStringList{u"1"_s, u"3"_s, u"2"_s} << ada;
}

void TestUndo::undoAndRedo()
{
    QFETCH(QString, command);
    QFETCH(QString, periodTyped);
    QFETCH(QStringList, periodsAfter);
    QFETCH(QString, nameAfter);
    std::unique_ptr<Form1> form = started();
    QVERIFY(!menuItem(*form, u"mnuUndo"_s)->isEnabled()); // nothing of an earlier run
    const State before = stateOf(*form);
    Form1Controls(*form).ListView1->setCurrentIndex(form->classList().index(1, 0));
    if (!periodTyped.isEmpty())
        saveInTheNextEditor(periodTyped);
    press(*form, command);
    const State after = stateOf(*form);
    QCOMPARE(periods(*form), periodsAfter);
    QCOMPARE(form->name(), nameAfter);
    QVERIFY(after != before);

    press(*form, u"mnuUndo"_s);
    QVERIFY(stateOf(*form) == before);
    QCOMPARE(stored(*form, u"Text1_0"_s), u"Ada"_s);
    QVERIFY(!menuItem(*form, u"mnuUndo"_s)->isEnabled());
    press(*form, u"mnuRedo"_s);
    QVERIFY(stateOf(*form) == after);
    QCOMPARE(stored(*form, u"Text1_0"_s), nameAfter);
    press(*form, u"mnuUndo"_s);
    QCOMPARE(bytesAfterClosing(std::move(form)), m_unchanged);
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestUndo::mixedSequenceGoesBackToTheStart()
{
    std::unique_ptr<Form1> form = started();
    const Form1Controls controls(*form);
    const State before = stateOf(*form);
    controls.PushButton4->click();
    controls.ListView1->setCurrentIndex(form->classList().index(2, 0));
    for (const QString& command :
         {u"PushButton2"_s, u"mnuMoveUp"_s, u"mnuNewWeek"_s, u"mnuUndo"_s, u"mnuUndo"_s})
        press(*form, command);
    QCOMPARE(form->classList().entry(2).Period, u"4. U.S. History"_s);
    // A change after an undo leaves nothing to redo.
    saveInTheNextEditor(u"edited"_s);
    controls.PushButton5->click();
    QVERIFY(!menuItem(*form, u"mnuRedo"_s)->isEnabled());
    // A name typed since the clearing is undone first, in the order of the changes.
    controls.PushButton3->click();
    controls.Text1->setText(u"Bea"_s);
    press(*form, u"mnuUndo"_s);
    QCOMPARE(form->name(), QString());
    for (int undone = 0; undone < 4; ++undone)
        press(*form, u"mnuUndo"_s);
    QVERIFY(stateOf(*form) == before);
    QCOMPARE(bytesAfterClosing(std::move(form)), m_unchanged);
}

void TestUndo::keyboardOnly()
{
    std::unique_ptr<Form1> form = started();
    // Each key goes where the keyboard is: the focused control or the open menu.
    auto keys = [](std::initializer_list<QKeyCombination> combinations) {
        for (QKeyCombination key : combinations)
            QTest::keyClick(static_cast<QWidget*>(nullptr), key.key(), key.keyboardModifiers());
    };
    keys({Qt::Key_Tab, Qt::Key_Tab});
    QCOMPARE(QApplication::focusWidget(), Form1Controls(*form).ListView1);
    // The list comes in on its first row; one step down to the second.
    keys({Qt::Key_Down, Qt::ALT | Qt::Key_Down});
    QCOMPARE(periods(*form), (QStringList{u"1"_s, u"3"_s, u"2"_s}));
    keys({Qt::ALT | Qt::Key_Up, Qt::ALT | Qt::Key_Up, Qt::Key_Delete});
    QCOMPARE(periods(*form), (QStringList{u"1"_s, u"3"_s}));
    keys({Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::Key_Z});
    keys({Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::SHIFT | Qt::Key_Z});
    QCOMPARE(periods(*form), (QStringList{u"2"_s, u"1"_s, u"3"_s}));
    QCOMPARE(form->selectedRow(), std::optional<int>(0));
    saveInTheNextEditor(u"2b"_s);
    keys({Qt::Key_Return});
    form->activateWindow(); // a window manager's part, which the offscreen platform leaves out
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    keys({Qt::CTRL | Qt::Key_N});
    QCOMPARE(form->classList().entry(0), entry(u"2b"_s));
    QCOMPARE(form->selectedRow(), std::optional<int>(0)); // the week's new list keeps the place
    // The list's menu: five steps down to Undo, past the disabled Move Up.
    keys({Qt::SHIFT | Qt::Key_F10});
    auto* menu = control<QMenu>(*form, u"mnuList"_s);
    QTRY_VERIFY(menu->isVisible());
    keys({Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down});
    QCOMPARE(menu->activeAction()->objectName(), u"mnuUndo"_s);
    keys({Qt::Key_Return});
    QCOMPARE(form->classList().entry(0), entry(u"2b"_s, {u"new reading"_s}));
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestUndo::keyboardSessions_data()
{
    // "@name", "@date", "@list" move the focus; "'text" is typed; "menu" chooses Undo in the
    // focused box's own menu; anything else is a key.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("date"); // the name is "Ada", as at the start
    QTest::addColumn<QString>("rows"); // their periods
    const QString start = u"2030-01-31T09:05:00"_s;
    QTest::newRow("list entered at start: its row is the selected one")
        << QStringList{u"Tab"_s, u"Tab"_s, u"Delete"_s} << start << u"2,3"_s;
    QTest::newRow("a new week, Ctrl+Z in the name box")
        << QStringList{u"@name"_s, u"Ctrl+N"_s, u"Ctrl+Z"_s} << start << u"1,2,3"_s;
    QTest::newRow("a burst of typing, a new week, two undos from the list")
        << QStringList{u"@name"_s, u"'Bob"_s, u"Ctrl+N"_s, u"@list"_s, u"Ctrl+Z"_s, u"Ctrl+Z"_s}
        << start << u"1,2,3"_s;
    QTest::newRow("Ctrl+Y in the name box")
        << QStringList{u"@name"_s, u"Ctrl+N"_s, u"Ctrl+Z"_s, u"Ctrl+Y"_s}
        << u"2030-02-07T09:05:00"_s << u"1,2,3"_s;
    QTest::newRow("Ctrl+Z, Ctrl+Shift+Z in the picker")
        << QStringList{u"@date"_s, u"Up"_s, u"Up"_s, u"Ctrl+Z"_s, u"Ctrl+Z"_s, u"Ctrl+Shift+Z"_s}
        << u"2030-02-28T09:05:00"_s << u"1,2,3"_s;
    QTest::newRow("the name box's menu")
        << QStringList{u"@name"_s, u"Ctrl+N"_s, u"menu"_s} << start << u"1,2,3"_s;
}

// Each undo and redo shows and stores the name and the date at once.
void TestUndo::keyboardSessions()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, date);
    QFETCH(QString, rows);
    std::unique_ptr<Form1> form = started();
    const Form1Controls controls(*form);
    const QMap<QString, QWidget*> places{{u"@name"_s, controls.Text1},
                                         {u"@date"_s, controls.DateTimePicker1},
                                         {u"@list"_s, controls.ListView1}};
    for (const QString& step : steps) {
        QWidget* focus = QApplication::focusWidget();
        if (places.contains(step)) {
            places.value(step)->setFocus();
        } else if (step.startsWith(u'\'')) {
            QTest::keyClicks(focus, step.mid(1));
        } else if (step == u"menu"_s) {
            QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(), QPoint());
            QApplication::sendEvent(focus, &request);
            auto* menu = focus->findChild<QMenu*>();
            QTRY_VERIFY(menu && menu->isVisible());
            QCOMPARE(menu->actions().first()->text(), u"Undo Start a New Week"_s);
            menu->actions().first()->trigger();
            menu->close();
        } else {
            const QKeyCombination key = QKeySequence::fromString(step)[0];
            QTest::keyClick(focus, key.key(), key.keyboardModifiers());
        }
    }
    QCOMPARE(periods(*form).join(u','), rows);
    QCOMPARE(form->name(), u"Ada"_s);
    QCOMPARE(stored(*form, u"Text1_0"_s), u"Ada"_s);
    QCOMPARE(form->date().toString(Qt::ISODate), date);
    QCOMPARE(stored(*form, u"DateTimePicker1"_s), date);
}

// Undoing Clear selects the row selected before it, and scrolls the list as it was.
void TestUndo::undoingClearBringsBackTheListsPlace()
{
    QList<HomeworkEntry> classes;
    for (int i = 1; i <= 100; ++i)
        classes << entry(QString::number(i));
    test::require(SaveSetting(u"Homework"_s, toStoredForm(classes)));
    std::unique_ptr<Form1> form = started();
    QTreeView* list = Form1Controls(*form).ListView1;
    list->setCurrentIndex(form->classList().index(60, 0));
    list->scrollTo(list->currentIndex(), QAbstractItemView::PositionAtCenter);
    const int scrolled = list->verticalScrollBar()->value();
    press(*form, u"PushButton3"_s);
    press(*form, u"mnuUndo"_s);
    QCOMPARE(form->selectedRow(), std::optional<int>(60));
    QCOMPARE(list->verticalScrollBar()->value(), scrolled);
}

void TestUndo::burstsOfTyping_data()
{
    // The name went from the first text to the second at 0 ms, then to the third at `at` ms.
    QTest::addColumn<QString>("texts"); // split at '|'
    QTest::addColumn<int>("at");
    QTest::addColumn<bool>("oneStep");
    QTest::newRow("typed on") << u"|B|Bo"_s << 300 << true;
    QTest::newRow("typed over the selection, then on") << u"Ada|B|Bo"_s << 300 << true;
    QTest::newRow("two seconds later") << u"B|Bo|Bob"_s << 2000 << true;
    QTest::newRow("after a longer pause") << u"B|Bo|Bob"_s << 2001 << false;
    QTest::newRow("typed elsewhere") << u"|B|xB"_s << 300 << false;
    QTest::newRow("Backspace twice") << u"Bob|Bo|B"_s << 100 << true;
    QTest::newRow("Delete twice") << u"Bob|ob|b"_s << 100 << true;
    QTest::newRow("typed after a paste") << u"|Hello|Hellos"_s << 100 << false;
    QTest::newRow("a selection deleted") << u"Bob|B|"_s << 100 << false;
}

void TestUndo::burstsOfTyping()
{
    QFETCH(QString, texts);
    QFETCH(int, at);
    QFETCH(bool, oneStep);
    const QStringList name = texts.split(u'|');
    QCOMPARE(continuesTyping(textEdit(name[0], name[1], 0), textEdit(name[1], name[2], at)),
             oneStep);
}

void TestUndo::undoReportsANameItCannotStore()
{
    std::unique_ptr<Form1> form = started();
    Form1Controls(*form).PushButton3->click();
    QCOMPARE(stored(*form, u"Text1_0"_s), QString());
    // A folder where the settings file belongs makes every write fail.
    QVERIFY(QFile::remove(m_settings->filePath()) && QDir().mkpath(m_settings->filePath()));
    press(*form, u"mnuUndo"_s);
    stored(*form, u"Text1_0"_s);
    QCOMPARE(m_prompts->errorReports().size(), 1);
    QVERIFY(m_prompts->errorReports().first().contains(u"Form1.mnuUndo_Click at line 100"_s));
    QCOMPARE(form->name(), u"Ada"_s);
    QCOMPARE(form->classList().rowCount(), 3);
}

void TestUndo::everyControlIsNamedAndDescribed()
{
    std::unique_ptr<Form1> form = started();
    HomeworkListModel list;
    Form3 editor(list);
    Form2 preview;
    for (QWidget* window : std::initializer_list<QWidget*>{form.get(), &editor, &preview}) {
        QList<QWidget*> controls = window->findChildren<QWidget*>();
        controls.append(window);
        for (QWidget* widget : controls) {
            // Qt's own parts of a control ("qt_spinbox_lineedit") speak for it.
            if (widget->objectName().isEmpty() || widget->objectName().startsWith(u"qt_"_s) ||
                !widget->isVisibleTo(window) || widget->isWindow() != (widget == window))
                continue;
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(),
                     qPrintable(widget->objectName()));
            QVERIFY2(!accessible->text(QAccessible::Description).isEmpty(),
                     qPrintable(widget->objectName()));
        }
    }
}

QTEST_MAIN(TestUndo)
#include "test_undo.moc"
