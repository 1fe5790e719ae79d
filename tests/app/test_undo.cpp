// Undo and Redo of every command through the real main window, the new week, the keyboard, and
// what assistive technology reads out.
#include "app/form1.h"
#include "base/settings_store.h"
#include "homework/editor/form3.h"
#include "homework/stored_form.h"
#include "preview/form2.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_entries.h"
#include "tests/support/test_files.h"
#include "tests/support/window_controls.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <QTimer>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

enum class Command { Add, Edit, Delete, Clear, Sample, NewWeek, MoveUp, MoveDown };

const QDateTime StoredDate(QDate(2030, 1, 31), QTime(9, 5));

struct State {
    QString name;
    QDateTime date;
    QList<HomeworkEntry> entries;
    bool operator==(const State&) const = default;
};

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

} // namespace

class TestUndo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void undoAndRedo_data();
    void undoAndRedo();
    void mixedSequenceGoesBackToTheStart();
    void newWeek_data();
    void newWeek();
    void keyboardOnly();
    void undoReportsANameItCannotStore();
    void everyControlIsNamedAndDescribed();

private:
    std::unique_ptr<Form1> started();
    QByteArray bytesAfterClosing(std::unique_ptr<Form1> form);

    std::unique_ptr<IsolatedSettings> m_settings;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    QByteArray m_stored;
    QByteArray m_unchanged;
};

void TestUndo::init()
{
    m_prompts.reset();
    m_settings = std::make_unique<IsolatedSettings>();
    m_prompts = std::make_unique<ScriptedPrompts>();
    SaveSetting(u"Text1_0"_s, u"Ada"_s);
    SaveSetting(u"DateTimePicker1"_s, u"2030-01-31T09:05:00"_s);
    SaveSetting(u"Homework"_s,
                toStoredForm({entry(u"1"_s, {u"a"_s}), entry(u"2"_s, {u"b"_s}),
                              entry(u"3"_s, {QString(), {}, {}, {}, {}, {}, u"c"_s})}));
    m_stored = readBytes(m_settings->filePath());
    // What a run that changes nothing leaves behind.
    m_unchanged = bytesAfterClosing(started());
    QVERIFY(writeBytes(m_settings->filePath(), m_stored));
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
    QTest::addColumn<Command>("command");
    QTest::addColumn<QStringList>("periodsAfter");
    QTest::addColumn<QString>("nameAfter");
    const QStringList sample{
        u"1. Physical Science"_s, u"2. English"_s,    u"3. Band"_s,
        u"4. U.S. History"_s,     u"5. Accounting"_s, u"6. Biz Applications I"_s,
        u"7. Study Hall"_s,       u"8. Geometry"_s};
    QTest::newRow("add") << Command::Add << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s} << u"Ada"_s;
    QTest::newRow("edit") << Command::Edit << QStringList{u"1"_s, u"2b"_s, u"3"_s} << u"Ada"_s;
    QTest::newRow("delete") << Command::Delete << QStringList{u"1"_s, u"3"_s} << u"Ada"_s;
    QTest::newRow("clear") << Command::Clear << QStringList() << QString();
    QTest::newRow("sample") << Command::Sample << sample << u"Dana Whitlow"_s;
    QTest::newRow("new week") << Command::NewWeek << QStringList{u"1"_s, u"2"_s, u"3"_s}
                              << u"Ada"_s;
    QTest::newRow("move up") << Command::MoveUp << QStringList{u"2"_s, u"1"_s, u"3"_s} << u"Ada"_s;
    QTest::newRow("move down") << Command::MoveDown << QStringList{u"1"_s, u"3"_s, u"2"_s}
                               << u"Ada"_s;
}

void TestUndo::undoAndRedo()
{
    QFETCH(Command, command);
    QFETCH(QStringList, periodsAfter);
    QFETCH(QString, nameAfter);
    std::unique_ptr<Form1> form = started();
    const Form1Controls controls(*form);
    const State before = stateOf(*form);
    controls.ListView1->setCurrentIndex(form->classList().index(1, 0));
    switch (command) {
    case Command::Add:
        saveInTheNextEditor(u"4"_s);
        controls.PushButton1->click();
        break;
    case Command::Edit:
        saveInTheNextEditor(u"2b"_s);
        controls.PushButton5->click();
        break;
    case Command::Delete: controls.PushButton2->click(); break;
    case Command::Clear: controls.PushButton3->click(); break;
    case Command::Sample: controls.PushButton4->click(); break;
    case Command::NewWeek: menuItem(*form, u"mnuNewWeek"_s)->trigger(); break;
    case Command::MoveUp: menuItem(*form, u"mnuMoveUp"_s)->trigger(); break;
    case Command::MoveDown: menuItem(*form, u"mnuMoveDown"_s)->trigger(); break;
    }
    const State after = stateOf(*form);
    QCOMPARE(periods(*form), periodsAfter);
    QCOMPARE(form->name(), nameAfter);
    QVERIFY(after != before);

    menuItem(*form, u"mnuUndo"_s)->trigger();
    QVERIFY(stateOf(*form) == before);
    QCOMPARE(GetSetting(u"Text1_0"_s, {}), u"Ada"_s);
    QVERIFY(!menuItem(*form, u"mnuUndo"_s)->isEnabled());
    menuItem(*form, u"mnuRedo"_s)->trigger();
    QVERIFY(stateOf(*form) == after);
    QCOMPARE(GetSetting(u"Text1_0"_s, {}), nameAfter);
    menuItem(*form, u"mnuUndo"_s)->trigger();
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
    controls.PushButton2->click();
    menuItem(*form, u"mnuMoveUp"_s)->trigger();
    menuItem(*form, u"mnuNewWeek"_s)->trigger();
    menuItem(*form, u"mnuUndo"_s)->trigger();
    menuItem(*form, u"mnuUndo"_s)->trigger();
    QCOMPARE(form->classList().entry(2).Period, u"4. U.S. History"_s);
    // A change after an undo leaves nothing to redo.
    saveInTheNextEditor(u"edited"_s);
    controls.PushButton5->click();
    QVERIFY(!menuItem(*form, u"mnuRedo"_s)->isEnabled());
    // A name typed since the clearing stays when the clearing is undone.
    controls.PushButton3->click();
    controls.Text1->setText(u"Bea"_s);
    for (int undone = 0; undone < 4; ++undone)
        menuItem(*form, u"mnuUndo"_s)->trigger();
    QCOMPARE(form->name(), u"Bea"_s);
    controls.Text1->setText(u"Ada"_s);
    QVERIFY(stateOf(*form) == before);
    QCOMPARE(bytesAfterClosing(std::move(form)), m_unchanged);
}

void TestUndo::newWeek_data()
{
    QTest::addColumn<bool>("sample");
    QTest::newRow("the example week") << true;
    QTest::newRow("an empty list") << false;
}

void TestUndo::newWeek()
{
    QFETCH(bool, sample);
    std::unique_ptr<Form1> form = started();
    (sample ? Form1Controls(*form).PushButton4 : Form1Controls(*form).PushButton3)->click();
    const QStringList periodsBefore = periods(*form);
    const QString name = form->name();
    const QDateTime date = form->date();
    QTest::keyClick(form.get(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(periods(*form), periodsBefore);
    QCOMPARE(periodsBefore.size(), sample ? 8 : 0);
    for (const HomeworkEntry& row : form->classList().entries())
        QCOMPARE(row.Days, (std::array<QString, 7>{}));
    QCOMPARE(form->date(), date.addDays(7));
    QCOMPARE(GetSetting(u"DateTimePicker1"_s, {}), date.addDays(7).toString(Qt::ISODate));
    QCOMPARE(form->name(), name);
}

void TestUndo::keyboardOnly()
{
    std::unique_ptr<Form1> form = started();
    const Form1Controls controls(*form);
    QWidget* list = controls.ListView1;
    // Each key goes where the keyboard is: the focused control or the open menu.
    auto keys = [](std::initializer_list<QKeyCombination> combinations) {
        for (QKeyCombination key : combinations)
            QTest::keyClick(static_cast<QWidget*>(nullptr), key.key(), key.keyboardModifiers());
    };
    keys({Qt::Key_Tab, Qt::Key_Tab});
    QCOMPARE(QApplication::focusWidget(), list);
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
    // In the name box the keys undo and redo the typing, not the list's commands.
    keys({Qt::SHIFT | Qt::Key_Tab, Qt::SHIFT | Qt::Key_Tab, Qt::Key_X});
    keys({Qt::CTRL | Qt::Key_Z});
    QCOMPARE(form->name(), u"Ada"_s);
    keys({Qt::CTRL | Qt::Key_Y});
    QCOMPARE(form->name(), u"x"_s);
    QCOMPARE(form->classList().entry(0), entry(u"2b"_s, {u"new reading"_s}));
    QVERIFY(m_prompts->shown().isEmpty());
}

void TestUndo::undoReportsANameItCannotStore()
{
    std::unique_ptr<Form1> form = started();
    Form1Controls(*form).PushButton3->click();
    // A folder where the settings file belongs makes every write fail.
    QVERIFY(QFile::remove(m_settings->filePath()) && QDir().mkpath(m_settings->filePath()));
    menuItem(*form, u"mnuUndo"_s)->trigger();
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
    for (QWidget* window : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(&editor),
                            static_cast<QWidget*>(&preview)}) {
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
