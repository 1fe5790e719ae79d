// SPDX-License-Identifier: MIT
// Real clients: the schedule the user saves, as LibreOffice, AbiWord and pandoc read it.
#include "app/form1.h"
#include "app/general_data_frame.h"
#include "document/layout/fonts.h"
#include "preview/form2.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/text_readers.h"
#include "tests/support/window_controls.h"

#include <QDateTimeEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

class TestSavedSchedule : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readersFindNameDateAndEveryClass_data();
    void readersFindNameDateAndEveryClass();
};

void TestSavedSchedule::readersFindNameDateAndEveryClass_data()
{
    QTest::addColumn<test::TextReader>("reader");
    for (const auto reader :
         {test::TextReader::LibreOffice, test::TextReader::AbiWord, test::TextReader::Pandoc})
        QTest::newRow(qPrintable(test::TextReaders::name(reader))) << reader;
}

void TestSavedSchedule::readersFindNameDateAndEveryClass()
{
    QFETCH(test::TextReader, reader);
    test::TextReaders readers;
    if (!readers.isInstalled(reader))
        QSKIP(qPrintable(test::TextReaders::name(reader) + u" is not installed (Debian package "_s +
                         test::TextReaders::package(reader) + u"); its reading is not checked"_s));
    doc::installFontSubstitutions();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    test::IsolatedSettings settings;
    test::ScriptedPrompts prompts;
    QTemporaryDir temp;
    qputenv("TEMP", temp.path().toLocal8Bit());
    Form1 form({[] { return 1; }, [](const QUrl&) { return true; }});
    QVERIFY(form.Form_Load());
    form.show();

    QTest::mouseClick(test::Form1Controls(form).PushButton4, Qt::LeftButton);
    test::Form1Controls(form).DateTimePicker1->setDateTime(
        QDateTime(QDate(2021, 9, 6), QTime(8, 0)));
    form.classList().append(HomeworkEntry{
        u"9. Art {& \\par}"_s,
        {u"Sketch: caf\u00e9 \u00c7a va"_s, u"\u05d0\u05d1 ok \u0394\u03b5"_s, u"\u6570\u5b66"_s}});
    QTest::mouseClick(test::Form1Controls(form).PushButton6, Qt::LeftButton);
    QVERIFY(form.preview());
    const QString saved = temp.filePath(u"my week.doc"_s);
    prompts.savePaths << saved;
    QTest::mouseClick(test::Form2Controls(*form.preview()).PushButton6, Qt::LeftButton);
    QVERIFY(prompts.errorReports().isEmpty());

    const QString text = readers.text(reader, saved);
    QStringList expected{u"Homework for Dana Whitlow"_s, u"Week of Sep 6, 2021"_s, u"Period"_s};
    for (const HomeworkEntry& entry : form.classList().entries()) {
        expected << entry.Period;
        for (const QString& day : entry.Days)
            expected += day.isEmpty() ? QStringList() : QStringList{day};
    }
    qsizetype at = 0;
    for (const QString& piece : expected) {
        const qsizetype found = text.indexOf(piece, at);
        QVERIFY2(found >= 0, qPrintable(u"missing or out of order: "_s + piece + u"\n"_s + text));
        at = found + piece.size();
    }
}

QTEST_MAIN(TestSavedSchedule)
#include "test_saved_schedule.moc"
