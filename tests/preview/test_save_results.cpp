// SPDX-License-Identifier: MIT
// Saving the generated document: dialog, overwrite question, atomic copy, "Done."; where the
// dialog opens and the name it gives back.
#include "base/own_file.h"
#include "document/paint/renderer.h"
#include "document/rtf/rtf_writer.h"
#include "preview/printable_schedule.h"
#include "preview/save_folder.h"
#include "preview/save_results.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_files.h"
#include "widgets/message_box_prompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace quillory;
using namespace Qt::StringLiterals;
using Kind = test::ScriptedPrompts::Kind;

class TestSaveResults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void outcomes_data();
    void outcomes();
    void dialogIsAskedForNothingButTitleAndFilter();
    void pathAndFormOfAChoice_data();
    void pathAndFormOfAChoice();
    void failedCopyKeepsOldFileAndSaysNoDone();
    void savingOntoTheWorkingCopyKeepsIt();
    void twoSavesInARow();
    void savesAWord2007FileOfTheWorkingDocument();
    void startFolder_data();
    void startFolder();
    void savesUnderTheTypedName_data();
    void savesUnderTheTypedName();
    void printingTakesTheRunsPictureWhileTheFileIsAsSaved();

private:
    QTemporaryDir m_folder;
    QString m_wordFile;
    std::unique_ptr<WorkingSchedule>
        m_schedule; // the working document, held open as the preview does
};

void TestSaveResults::init()
{
    m_wordFile = m_folder.filePath(u"dravik12345678.doc"_s);
    QVERIFY(test::writeBytes(m_wordFile, "{\\rtf1 schedule\\par}"));
    m_schedule = std::make_unique<WorkingSchedule>(std::make_shared<const OwnFile>(m_wordFile));
}

void TestSaveResults::outcomes_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("questions");
    QTest::newRow("cancel") << true << false << QList<bool>{} << QByteArray() << 0;
    QTest::newRow("new target") << false << false << QList<bool>{}
                                << QByteArray("{\\rtf1 schedule\\par}") << 0;
    QTest::newRow("existing, No") << false << true << QList<bool>{false} << QByteArray("old") << 1;
    QTest::newRow("existing, Yes")
        << false << true << QList<bool>{true} << QByteArray("{\\rtf1 schedule\\par}") << 1;
}

void TestSaveResults::outcomes()
{
    QFETCH(bool, cancel);
    QFETCH(bool, targetExists);
    QFETCH(QList<bool>, answers);
    QFETCH(QByteArray, expected);
    QFETCH(int, questions);
    test::ScriptedPrompts prompts;
    const QString target = m_folder.filePath(u"week.doc"_s); // typed as "week"
    QFile::remove(target);
    if (targetExists)
        QVERIFY(test::writeBytes(target, "old"));
    if (!cancel)
        prompts.savePaths << m_folder.filePath(u"week"_s);
    prompts.answers = answers;

    saveResultsToWordFile(m_schedule.get());

    QCOMPARE(test::readBytes(target), expected);
    QCOMPARE(QFile::exists(target), targetExists || !expected.isEmpty());
    QVERIFY(!QFile::exists(m_folder.filePath(u"week"_s)));
    QCOMPARE(prompts.texts(Kind::Question).size(), questions);
    if (questions > 0)
        QCOMPARE(prompts.texts(Kind::Question).first(),
                 u"Are you sure you wish to overwrite "_s + target + u" ?"_s);
    QCOMPARE(prompts.texts(Kind::Note), QStringList{u"Done."_s});
    QVERIFY(prompts.errorReports().isEmpty());
    QVERIFY(QFile::exists(m_wordFile));
}

void TestSaveResults::dialogIsAskedForNothingButTitleAndFilter()
{
    test::ScriptedPrompts prompts;
    saveResultsToWordFile(m_schedule.get());
    const auto& dialog = prompts.shown().first();
    QCOMPARE(dialog.kind, Kind::SaveDialog);
    QCOMPARE(dialog.text, u"Save File"_s);
    QCOMPARE(dialog.filter, u"Word Files (*.doc);;Word 2007-365 Files (*.docx);;PDF Files "
                            u"(*.pdf);;Calendar Files (*.ics)"_s);
    QCOMPARE(dialog.selectedFilter, u"Word Files (*.doc)"_s);
}

// A name without an extension gets the filter's; a name's ".docx", ".pdf" or ".ics" decides
// what is saved, else the filter chosen.
void TestSaveResults::pathAndFormOfAChoice_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<SavedForm>("form");
    const QString word = u"Word Files (*.doc)"_s, pdf = u"PDF Files (*.pdf)"_s;
    const QString calendar = u"Calendar Files (*.ics)"_s;
    const QString docx = u"Word 2007-365 Files (*.docx)"_s;
    QTest::newRow("Word") << u"week1"_s << word << u"week1.doc"_s << SavedForm::Word;
    QTest::newRow("Word 2007-365") << u"week1"_s << docx << u"week1.docx"_s << SavedForm::Docx;
    QTest::newRow(".DOCX, Word filter") << u"a.DOCX"_s << word << u"a.DOCX"_s << SavedForm::Docx;
    QTest::newRow(".doc, .docx filter") << u"a.doc"_s << docx << u"a.doc"_s << SavedForm::Docx;
    QTest::newRow("PDF") << u"week1"_s << pdf << u"week1.pdf"_s << SavedForm::Pdf;
    QTest::newRow("calendar") << u"week1"_s << calendar << u"week1.ics"_s << SavedForm::Calendar;
    QTest::newRow("a trailing dot") << u"week 2."_s << word << u"week 2.doc"_s << SavedForm::Word;
    QTest::newRow(".doc, PDF filter") << u"plan.doc"_s << pdf << u"plan.doc"_s << SavedForm::Pdf;
    QTest::newRow("no filter named") << u"week1"_s << QString() << u"week1"_s << SavedForm::Word;
    QTest::newRow(".ICS, Word filter") << u"a.ICS"_s << word << u"a.ICS"_s << SavedForm::Calendar;
    QTest::newRow(".pdf, calendar filter")
        << u"a.pdf"_s << calendar << u"a.pdf"_s << SavedForm::Pdf;
    QTest::newRow(".ics.doc") << u"a.ics.doc"_s << word << u"a.ics.doc"_s << SavedForm::Word;
    // A dot that ends no document's name is part of the name.
    QTest::newRow("an abbreviation")
        << u"Homework Dec. 7"_s << word << u"Homework Dec. 7.doc"_s << SavedForm::Word;
    QTest::newRow("a number") << u"week.1"_s << pdf << u"week.1.pdf"_s << SavedForm::Pdf;
    QTest::newRow(".RTF is kept") << u"plan.RTF"_s << word << u"plan.RTF"_s << SavedForm::Word;
    QTest::newRow(".odt is no ending we write")
        << u"plan.odt"_s << word << u"plan.odt.doc"_s << SavedForm::Word;
}

void TestSaveResults::pathAndFormOfAChoice()
{
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QString, saved);
    QFETCH(SavedForm, form);
    QCOMPARE(savedPath({typed, filter}), saved);
    QCOMPARE(savedFormOf({saved, filter}), form);
}

void TestSaveResults::failedCopyKeepsOldFileAndSaysNoDone()
{
    test::ScriptedPrompts prompts;
    const QString target = m_folder.filePath(u"kept.doc"_s);
    QVERIFY(test::writeBytes(target, "precious"));
    prompts.savePaths << target;
    prompts.answers << true;
    saveResultsToWordFile(nullptr); // the preview holds no document
    QCOMPARE(test::readBytes(target), QByteArray("precious"));
    QCOMPARE(prompts.errorReports().size(), 1);
    QVERIFY(prompts.errorReports().first().contains(u"Form2.PushButton6_Click at line 130"_s));
    QVERIFY(prompts.texts(Kind::Note).isEmpty());

    prompts.clear();
    prompts.savePaths << u"/no/such/folder/week.doc"_s;
    saveResultsToWordFile(m_schedule.get());
    QCOMPARE(prompts.errorReports().size(), 1);
    QVERIFY(prompts.texts(Kind::Note).isEmpty());
}

void TestSaveResults::savingOntoTheWorkingCopyKeepsIt()
{
    test::ScriptedPrompts prompts;
    prompts.savePaths << m_wordFile;
    prompts.answers << true;
    saveResultsToWordFile(m_schedule.get());
    QCOMPARE(test::readBytes(m_wordFile), QByteArray("{\\rtf1 schedule\\par}"));
    QCOMPARE(prompts.texts(Kind::Note).size(), 1);
    QVERIFY(prompts.texts(Kind::Note).first().contains(u"working copy"_s));
}

void TestSaveResults::twoSavesInARow()
{
    test::ScriptedPrompts prompts;
    const QString first = m_folder.filePath(u"a.doc"_s);
    const QString second = m_folder.filePath(u"b.doc"_s);
    prompts.savePaths << first << second;
    saveResultsToWordFile(m_schedule.get());
    saveResultsToWordFile(m_schedule.get());
    QCOMPARE(test::readBytes(first), test::readBytes(m_wordFile));
    QCOMPARE(test::readBytes(second), test::readBytes(m_wordFile));
    QCOMPARE(prompts.texts(Kind::Note).size(), 2);
    QCOMPARE(prompts.shown().at(2).folder, m_folder.path()); // beside the first save
}

// The working document's model as a Word 2007-365 package, its text as the document holds it.
void TestSaveResults::savesAWord2007FileOfTheWorkingDocument()
{
    test::ScriptedPrompts prompts;
    const QString target = m_folder.filePath(u"week.docx"_s);
    prompts.savePaths << target;
    saveResultsToWordFile(m_schedule.get());
    QCOMPARE(prompts.texts(Kind::Note), QStringList{u"Done."_s});
    const QByteArray saved = test::readBytes(target);
    QVERIFY(saved.startsWith("PK\x03\x04"));
    QProcess unzip;
    unzip.start(u"unzip"_s, {u"-p"_s, target, u"word/document.xml"_s});
    QVERIFY(unzip.waitForFinished(60'000));
    QVERIFY(unzip.readAllStandardOutput().contains("<w:t xml:space=\"preserve\">schedule</w:t>"));
}

void TestSaveResults::startFolder_data()
{
    QTest::addColumn<QString>("made");    // folders under home
    QTest::addColumn<QString>("savedIn"); // a save of this run; empty: none
    QTest::addColumn<QString>("expected");

    QTest::newRow("Documents") << u"Documents"_s << QString() << u"/Documents"_s;
    QTest::newRow("no Documents: home") << QString() << QString() << QString();
    QTest::newRow("after a save: beside it") << u"Documents,Plans"_s << u"/Plans"_s << u"/Plans"_s;
}

void TestSaveResults::startFolder()
{
    QFETCH(QString, made);
    QFETCH(QString, savedIn);
    QFETCH(QString, expected);
    QTemporaryDir home;
    for (const QString& folder : made.split(u',', Qt::SkipEmptyParts))
        QVERIFY(QDir(home.path()).mkdir(folder));
    SaveFolder folder;
    if (!savedIn.isEmpty())
        folder.saved(home.path() + savedIn + u"/week.doc"_s);
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", home.path().toLocal8Bit()); // the Documents folder is found under home
    const QString start = folder.startFolder();
    qputenv("HOME", realHome);
    QCOMPARE(start, home.path() + expected);
}

// The real dialog: it opens in the folder given, with no name, and keeps a quoted name whole.
void TestSaveResults::savesUnderTheTypedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("quoted word") << u"Week 3 \"final\".pdf"_s;
    // The list of Qt's dialog would pick the existing file "old".
    QTest::newRow("the quoted word names a file") << u"\"old\" copy"_s;
}

void TestSaveResults::savesUnderTheTypedName()
{
    QFETCH(QString, typed);
    QTemporaryDir folder;
    QFile old(folder.filePath(u"old"_s));
    QVERIFY(old.open(QIODevice::WriteOnly));
    QString openedWith;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        auto* name = dialog->findChild<QLineEdit*>(u"fileNameEdit"_s);
        openedWith = dialog->directory().absolutePath() + u'|' + name->text();
        name->setFocus();
        name->setText(typed); // as typed, without the completer's list in the way
        QTest::keyClick(name, Qt::Key_Return);
        if (dialog->isVisible()) // never left waiting
            dialog->reject();
    });
    const SaveChoice choice = MessageBoxPrompts().askSavePath(
        u"Save File"_s, u"PDF Files (*.pdf)"_s, u"PDF Files (*.pdf)"_s, folder.path());
    QCOMPARE(openedWith, folder.path() + u'|'); // and no name proposed
    QCOMPARE(choice.path, folder.path() + u'/' + typed);
}

// Printing and the PDF take the picture the run recorded while the file is as saved, and the
// file as it stands once it was changed in place.
void TestSaveResults::printingTakesTheRunsPictureWhileTheFileIsAsSaved()
{
    const QString path = m_folder.filePath(u"run.doc"_s);
    const auto saved = std::make_shared<const doc::Document>(test::scheduleDocument());
    QVERIFY(test::writeBytes(path, doc::toRtf(*saved)));
    doc::rememberSavedDocument(path, saved);
    const auto picture = std::make_shared<const doc::VectorPicture>(doc::recordDocument(*saved));
    doc::rememberPicture(saved, picture);
    const WorkingSchedule schedule(std::make_shared<const OwnFile>(path));
    QCOMPARE(&schedule.printable()->picture(), picture.get());
    doc::Document longer = *saved;
    auto& rows = std::get<doc::Table>(longer.body[2]).rows;
    rows.insert(rows.end(), 29, rows[1]);
    QVERIFY(test::writeBytes(path, doc::toRtf(longer)));
    QCOMPARE(schedule.printable()->picture().pages().size(), std::size_t(3));
}

QTEST_MAIN(TestSaveResults)
#include "test_save_results.moc"
