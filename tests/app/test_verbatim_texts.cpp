// SPDX-License-Identifier: MIT
// Texts survive the real windows and the real settings file byte for byte: a class opened with
// "Edit Selected Class" and saved untouched, and the name, are stored exactly as they were;
// a class whose stored form would not read back as itself is refused.
#include "app/form1.h"
#include "base/settings_store.h"
#include "tests/support/failure_status.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_entries.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QTreeView>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

// The stored form written out: the fields joined by the field separator, each row closed by
// the row separator.
QString stored(const QList<HomeworkEntry>& rows)
{
    QString text;
    for (const HomeworkEntry& row : rows)
        text += row.Period + F + QStringList(row.Days.begin(), row.Days.end()).join(F) + R;
    return text;
}

std::unique_ptr<Form1> startedWindow()
{
    auto form =
        std::make_unique<Form1>(HomePageCall{[] { return 1; }, [](const QUrl&) { return true; }});
    if (!form->Form_Load())
        return nullptr;
    form->showCentred();
    return form;
}

// Clicks a button of the main window that opens the class editor, and runs `inEditor` on the
// editor once it is shown.
void inClassEditor(Form1& form, const QString& button,
                   const std::function<void(QDialog&)>& inEditor)
{
    bool ran = false;
    QTimer::singleShot(0, &form, [&] {
        auto* editor = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        QVERIFY(editor);
        inEditor(*editor);
        ran = true;
    });
    QTest::mouseClick(form.findChild<QPushButton*>(button), Qt::LeftButton);
    QVERIFY(ran);
    QVERIFY(!QApplication::activeModalWidget());
}

void typeInto(QDialog& editor, const HomeworkEntry& row)
{
    editor.findChild<QLineEdit*>(u"Text2"_s)->setText(row.Period);
    for (int day = 0; day < DaysPerWeek; ++day)
        editor.findChild<QPlainTextEdit*>(u"Text1_%1"_s.arg(day))->setPlainText(row.Days.at(day));
}

void click(QDialog& editor, const QString& button)
{
    QTest::mouseClick(editor.findChild<QPushButton*>(button), Qt::LeftButton);
}

} // namespace

class TestVerbatimTexts : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void roundTrips_data();
    void roundTrips();
};

void TestVerbatimTexts::roundTrips_data()
{
    QTest::addColumn<HomeworkEntry>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("refusedBox"); // empty: the row is stored and edited untouched
    const QString dana = u"Dana"_s;
    QTest::newRow("no-break spaces")
        << entry(u"\u00a0\u00a0"_s, {u"a\u00a0b"_s}) << u"\u00a0Dana\u00a0"_s << QString();
    QTest::newRow("line and paragraph separators")
        << entry(u"1"_s, {u"one\u2028two\u2029three"_s, u"\u2029"_s}) << dana << QString();
    QTest::newRow("line ends in the period") << entry(u"1\r\n2\u2029"_s) << u"a\nb"_s << QString();
    QTest::newRow("CR LF, CR, LF")
        << entry(u"1"_s, {QString(), u"a\r\nb\rc\n"_s, u"\r"_s}) << dana << QString();
    QTest::newRow("tabs and outer spaces")
        << entry(u"\t1 "_s, {QString(), {}, u"\tx\t"_s, u"  y  "_s}) << u" \tDana "_s << QString();
    QTest::newRow("40,000 characters")
        << entry(QString(40'000, u'p') + u"end"_s, {QString(40'000, u'm')})
        << QString(40'000, u'n') + u"end"_s << QString();
    QTest::newRow("beside the separators")
        << entry(u"MySeparator123||"_s,
                 {u"||MySeparator12"_s, u"3||"_s, u"||MySeparator"_s, {}, {}, {}, u"z||"_s})
        << u"||MySeparator234||"_s << QString();
    QTest::newRow("Monday ends in a row separator's start")
        << entry(u"1"_s, {u"x||MySeparator234"_s}) << dana << u"\"Monday\""_s;
    QTest::newRow("period ends in a field separator's start")
        << entry(u"p||MySeparator123"_s) << dana << u"\"Period\""_s;
    QTest::newRow("whole separator on Wednesday")
        << entry(u"1"_s, {QString(), {}, u"a"_s + F + u"b"_s}) << dana << u"\"Wednesday\""_s;
}

void TestVerbatimTexts::roundTrips()
{
    QFETCH(HomeworkEntry, row);
    QFETCH(QString, name);
    QFETCH(QString, refusedBox);
    IsolatedSettings settings;
    ScriptedPrompts prompts;
    const HomeworkEntry before = entry(u"before"_s, {u"b"_s});
    const HomeworkEntry after = entry(u"after"_s);
    const QList rows = refusedBox.isEmpty() ? QList{before, row, after} : QList{before, after};
    test::require(SaveSetting(u"Homework"_s, stored(rows)));
    test::require(SaveSetting(u"Text1_0"_s, name));

    std::unique_ptr<Form1> form = startedWindow();
    QVERIFY(form);
    auto* nameBox = form->findChild<QLineEdit*>(u"Text1"_s);
    QCOMPARE(nameBox->text(), name);
    // A change and its undoing store the whole name, as it was.
    QTest::keyClick(nameBox, Qt::Key_End);
    QTest::keyClick(nameBox, Qt::Key_X);
    QTest::keyClick(nameBox, Qt::Key_Backspace);

    if (refusedBox.isEmpty()) {
        auto* list = form->findChild<QTreeView*>(u"ListView1"_s);
        list->setCurrentIndex(list->model()->index(1, 0));
        inClassEditor(*form, u"PushButton5"_s,
                      [](QDialog& editor) { click(editor, u"PushButton3"_s); });
        QVERIFY(prompts.shown().isEmpty());
    } else {
        inClassEditor(*form, u"PushButton1"_s, [&](QDialog& editor) {
            typeInto(editor, row);
            click(editor, u"PushButton3"_s);
            QVERIFY(editor.isVisible());
            click(editor, u"PushButton4"_s);
        });
        const QStringList notes = prompts.texts(ScriptedPrompts::Kind::Note);
        QCOMPARE(notes.size(), 1);
        QVERIFY2(notes.first().contains(refusedBox), qPrintable(notes.first()));
    }
    form->close();
    QVERIFY(prompts.errorReports().isEmpty());

    // Read back by Qt's own INI reader from the file itself.
    QSettings file(settings.filePath(), QSettings::IniFormat);
    QCOMPARE(file.value(u"Quillory/Homework"_s).toString(), stored(rows));
    QCOMPARE(file.value(u"Quillory/Text1_0"_s).toString(), name);
}

QTEST_MAIN(TestVerbatimTexts)
#include "test_verbatim_texts.moc"
