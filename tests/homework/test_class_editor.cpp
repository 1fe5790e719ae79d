// SPDX-License-Identifier: MIT
// The class editor dialog, driven without ever blocking on it.
#include "base/settings_store.h"
#include "homework/editor/form3.h"
#include "homework/homework_list_model.h"
#include "homework/stored_form.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_entries.h"
#include "tests/support/window_controls.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCursor>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

QList<HomeworkEntry> threeRows()
{
    return {entry(u"a"_s, {u"a1"_s}), entry(u"b"_s, {u"b1"_s}), entry(u"c"_s, {u"c1"_s})};
}

void fill(Form3& editor, const HomeworkEntry& typed)
{
    test::Form3Controls(editor).Text2->setText(typed.Period);
    for (int day = 0; day < 7; ++day)
        test::Form3Controls(editor).Text1.at(day)->setPlainText(typed.Days.at(day));
}

} // namespace

class TestClassEditor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void refusals_data();
    void refusals();
    void save_data();
    void save();
    void cancelAndCloseBoxLeaveTheList_data();
    void cancelAndCloseBoxLeaveTheList();
    void typingGoesToTheBoxesInTabOrder();
    void lineBreaksStayWhereUntouched_data();
    void lineBreaksStayWhereUntouched();
    void layout_data();
    void layout();
    void loadsWithoutReportsOrHand();

private:
    std::unique_ptr<test::IsolatedSettings> m_settings;
};

void TestClassEditor::init()
{
    m_settings = std::make_unique<test::IsolatedSettings>();
}

void TestClassEditor::refusals_data()
{
    QTest::addColumn<HomeworkEntry>("typed");
    QTest::addColumn<QString>("refusal");
    const QString forgot = u"You forgot to input period."_s;
    QTest::newRow("empty period") << entry({}, {u"x"_s}) << forgot;
    QTest::newRow("blank period") << entry(u"   "_s) << forgot;
    QTest::newRow("blanks around a period") << entry(u"  3 "_s) << QString();
    QTest::newRow("empty days") << entry(u"1"_s) << QString();
    QTest::newRow("line breaks") << entry(u"1"_s, {u"a\nb"_s, u"\r\n"_s}) << QString();
    QTest::newRow("field separator in the period") << entry(u"1"_s + F) << u"\"Period\""_s;
    QTest::newRow("row separator on Monday") << entry(u"1"_s, {u"x"_s + R}) << u"\"Monday\""_s;
    QTest::newRow("field separator on Sunday")
        << entry(u"1"_s, {QString(), {}, {}, {}, {}, {}, F + u"y"_s}) << u"\"Sunday\""_s;
    QTest::newRow("separator broken in two")
        << entry(u"1"_s, {u"||MySeparator12"_s, u"3||"_s}) << QString();
    // Only spaces are blank: a period of other white space is text.
    QTest::newRow("no-break spaces") << entry(u"\u00a0\u00a0"_s) << QString();
    QTest::newRow("tab and line separator") << entry(u"\t\u2028"_s) << QString();
    // With the field separator after it, Monday's end makes a row separator.
    QTest::newRow("Monday ends in a row separator's start")
        << entry(u"1"_s, {u"x||MySeparator234"_s}) << u"\"Monday\""_s;
    QTest::newRow("period ends in a field separator's start")
        << entry(u"p||MySeparator123"_s) << u"\"Period\""_s;
    QTest::newRow("Tuesday starts where the separator before it ends")
        << entry(u"1"_s, {QString(), u"MySeparator234||x"_s}) << u"\"Tuesday\""_s;
}

void TestClassEditor::refusals()
{
    QFETCH(HomeworkEntry, typed);
    QFETCH(QString, refusal);
    const QString found = entryRefusal(typed);
    if (refusal.isEmpty())
        QVERIFY2(found.isEmpty(), qPrintable(found));
    else
        QVERIFY2(found.contains(refusal), qPrintable(found));
}

void TestClassEditor::save_data()
{
    QTest::addColumn<qint16>("index");
    QTest::addColumn<HomeworkEntry>("typed");
    QTest::addColumn<QList<HomeworkEntry>>("expected");
    QTest::addColumn<QString>("note");
    QTest::addColumn<bool>("byKeys"); // Ctrl+Enter in Wednesday's box rather than "Save"
    const HomeworkEntry typed =
        entry(u" 4. Art "_s, {u" lead"_s, {}, u"two\nlines"_s, {}, {}, {}, u"trail "_s});
    const QString forgot = u"You forgot to input period."_s;
    QTest::newRow("add goes to the end")
        << qint16(-1) << typed << (threeRows() << typed) << QString() << false;
    QTest::newRow("Ctrl+Enter saves, adding no line")
        << qint16(-1) << typed << (threeRows() << typed) << QString() << true;
    QTest::newRow("edit the first row")
        << qint16(1) << typed << QList{typed, threeRows().at(1), threeRows().at(2)} << QString()
        << false;
    QTest::newRow("edit the last row")
        << qint16(3) << typed << QList{threeRows().at(0), threeRows().at(1), typed} << QString()
        << false;
    QTest::newRow("blank period, add")
        << qint16(-1) << entry(u" "_s, {u"keep me"_s}) << threeRows() << forgot << false;
    QTest::newRow("empty period, edit")
        << qint16(2) << entry({}, {u"keep"_s}) << threeRows() << forgot << false;
    QTest::newRow("separator, edit") << qint16(1) << entry(u"p"_s, {QString(), {}, u"x"_s + R})
                                     << threeRows() << u"Wednesday"_s << false;
}

void TestClassEditor::save()
{
    QFETCH(qint16, index);
    QFETCH(HomeworkEntry, typed);
    QFETCH(QList<HomeworkEntry>, expected);
    QFETCH(QString, note);
    QFETCH(bool, byKeys);
    test::ScriptedPrompts prompts;
    HomeworkListModel list;
    list.setEntries(threeRows());
    Form3 editor(list);
    editor.setIndex(index);
    editor.showCentred();
    fill(editor, typed);
    if (byKeys) {
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        QTest::keyClick(test::Form3Controls(editor).Text1.at(2), Qt::Key_Return,
                        Qt::ControlModifier);
    } else
        QTest::mouseClick(test::Form3Controls(editor).PushButton3, Qt::LeftButton);
    QCOMPARE(list.entries(), expected);
    QVERIFY(prompts.errorReports().isEmpty());
    const QStringList notes = prompts.texts(test::ScriptedPrompts::Kind::Note);
    if (note.isEmpty()) {
        QVERIFY(notes.isEmpty());
        QVERIFY(!editor.isVisible());
        QCOMPARE(editor.result(), int(QDialog::Accepted));
        return;
    }
    // Refused: the dialog stays open with everything typed.
    QCOMPARE(notes.size(), 1);
    QVERIFY2(notes.first().contains(note), qPrintable(notes.first()));
    QVERIFY(editor.isVisible());
    QCOMPARE(test::Form3Controls(editor).Text2->text(), typed.Period);
    QCOMPARE(test::Form3Controls(editor).Text1.at(0)->toPlainText(), typed.Days.at(0));
}

void TestClassEditor::cancelAndCloseBoxLeaveTheList_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::newRow("Cancel") << false;
    QTest::newRow("close box") << true;
}

void TestClassEditor::cancelAndCloseBoxLeaveTheList()
{
    QFETCH(bool, closeBox);
    test::ScriptedPrompts prompts;
    HomeworkListModel list;
    list.setEntries(threeRows());
    Form3 editor(list);
    editor.setIndex(2);
    editor.showCentred();
    fill(editor, entry(u"changed"_s, {u"changed"_s}));
    if (closeBox)
        editor.close();
    else
        QTest::mouseClick(test::Form3Controls(editor).PushButton4, Qt::LeftButton);
    QVERIFY(!editor.isVisible());
    QCOMPARE(editor.result(), int(QDialog::Rejected));
    QCOMPARE(list.entries(), threeRows());
    QVERIFY(prompts.shown().isEmpty());
}

void TestClassEditor::typingGoesToTheBoxesInTabOrder()
{
    test::ScriptedPrompts prompts;
    HomeworkListModel list;
    Form3 editor(list);
    editor.showCentred();
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    QCOMPARE(QApplication::focusWidget(), test::Form3Controls(editor).Text2);
    const QStringList typed{u"P"_s, u"Mo"_s, u"Tu"_s, u"We"_s, u"Th"_s, u"Fr"_s, u"Sa"_s, u"Su"_s};
    for (const QString& text : typed) {
        QTest::keyClicks(QApplication::focusWidget(), text);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget(), test::Form3Controls(editor).PushButton3);
    QTest::keyClick(test::Form3Controls(editor).PushButton3, Qt::Key_Space);
    QCOMPARE(list.entries(),
             QList{entry(u"P"_s, {u"Mo"_s, u"Tu"_s, u"We"_s, u"Th"_s, u"Fr"_s, u"Sa"_s, u"Su"_s})});
}

namespace {

// One change in a day box: at a position of its text, characters deleted, then text typed.
struct Edit {
    int at;
    int deleted;
    QString typed;
};

} // namespace

Q_DECLARE_METATYPE(Edit)

void TestClassEditor::lineBreaksStayWhereUntouched_data()
{
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QList<Edit>>("edits");
    QTest::addColumn<QString>("saved");
    const QString mixed = u"a\r\nb\rc\u2029d"_s; // shown as a, b, c, d on lines of their own
    QTest::newRow("untouched") << mixed << QList<Edit>{} << mixed;
    QTest::newRow("typed at the start and the end")
        << mixed << QList<Edit>{{0, 0, u"<"_s}, {8, 0, u">"_s}} << u"<a\r\nb\rc\u2029d>"_s;
    QTest::newRow("a line typed between")
        << mixed << QList<Edit>{{4, 0, u"x\n"_s}} << u"a\r\nb\rx\nc\u2029d"_s;
    QTest::newRow("one break deleted") << mixed << QList<Edit>{{1, 1, {}}} << u"ab\rc\u2029d"_s;
    QTest::newRow("a line replaced")
        << mixed << QList<Edit>{{2, 1, u"B\nb"_s}} << u"a\r\nB\nb\rc\u2029d"_s;
    QTest::newRow("everything replaced") << mixed << QList<Edit>{{0, 7, u"1\n2"_s}} << u"1\n2"_s;
}

void TestClassEditor::lineBreaksStayWhereUntouched()
{
    QFETCH(QString, loaded);
    QFETCH(QList<Edit>, edits);
    QFETCH(QString, saved);
    HomeworkListModel list;
    list.setEntries(threeRows());
    Form3 editor(list);
    editor.setPeriod(u"p"_s);
    editor.setDay(0, loaded);
    editor.setIndex(1);
    QPlainTextEdit* monday = test::Form3Controls(editor).Text1.at(0);
    for (const Edit& edit : edits) {
        QTextCursor cursor = monday->textCursor();
        cursor.setPosition(edit.at);
        cursor.setPosition(edit.at + edit.deleted, QTextCursor::KeepAnchor);
        cursor.insertText(edit.typed);
    }
    editor.PushButton3_Click();
    QCOMPARE(list.entry(0).Days.at(0), saved);
}

void TestClassEditor::layout_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("box");
    const QRect dayBox = QRect(16, 20, 225, 60);
    QTest::newRow("Monday") << 0 << u"Monday"_s << QRect(8, 68, 256, 92) << dayBox;
    QTest::newRow("Tuesday") << 1 << u"Tuesday"_s << QRect(272, 68, 256, 92) << dayBox;
    QTest::newRow("Sunday") << 6 << u"Sunday"_s << QRect(8, 356, 520, 92) << QRect(16, 20, 489, 60);
}

void TestClassEditor::layout()
{
    QFETCH(int, day);
    QFETCH(QString, caption);
    QFETCH(QRect, frame);
    QFETCH(QRect, box);
    test::ScriptedPrompts prompts;
    HomeworkListModel list;
    Form3 editor(list);
    QCOMPARE(editor.windowTitle(), u"Week Homework"_s);
    QCOMPARE(editor.size(), QSize(536, 491));
    QCOMPARE(editor.minimumSize(), editor.maximumSize());
    QCOMPARE(test::Form3Controls(editor).dayFrames.at(day)->title(), caption);
    QCOMPARE(test::Form3Controls(editor).dayFrames.at(day)->geometry(), frame);
    QCOMPARE(test::Form3Controls(editor).Text1.at(day)->geometry(), box);
    QCOMPARE(test::Form3Controls(editor).Text1.at(day)->verticalScrollBarPolicy(),
             Qt::ScrollBarAlwaysOn);
    QCOMPARE(test::Form3Controls(editor).Frame1->geometry(), QRect(8, 6, 520, 57));
    QCOMPARE(test::Form3Controls(editor).PushButton4->geometry(), QRect(272, 456, 256, 27));
    QCOMPARE(editor.font().family(), u"Arial"_s);
    QVERIFY(editor.font().bold());
    QCOMPARE(test::Form3Controls(editor).PushButton3->font().pointSizeF(), 11.25);
    QVERIFY(!(editor.windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(editor.windowFlags() & Qt::WindowMaximizeButtonHint));
}

void TestClassEditor::loadsWithoutReportsOrHand()
{
    test::ScriptedPrompts prompts;
    HomeworkListModel list;
    Form3 editor(list);
    editor.showCentred();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    // No hand pointer file beside the tests: hovering a button leaves the arrow, silently.
    QTest::mouseMove(test::Form3Controls(editor).PushButton3);
    QCOMPARE(editor.cursor().shape(), Qt::ArrowCursor);
    QVERIFY(prompts.shown().isEmpty());
    QCOMPARE(editor.index(), qint16(-1));
    QVERIFY(test::Form3Controls(editor).Text2->text().isEmpty());
}

QTEST_MAIN(TestClassEditor)
#include "test_class_editor.moc"
