// SPDX-License-Identifier: MIT
// Sharing from the real preview window, with scripted prompts: the schedule saved as a PDF and
// printed to a PDF file through the print path, both read back with poppler's tools; the
// picture's menu; dragging with the left button as before.
#include "document/document_file.h"
#include "document/layout/layout.h"
#include "document/paint/renderer.h"
#include "homework/sample_data.h"
#include "preview/form2.h"
#include "preview/schedule_printing.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_files.h"
#include "tests/support/window_controls.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;
using Kind = test::ScriptedPrompts::Kind;

namespace {

const QString WordFilter = u"Word Files (*.doc)"_s;
const QString PdfFilter = u"PDF Files (*.pdf)"_s;

// How the user asks for the PDF.
enum class Request { Menu, Shortcut, ButtonWithPdfFilter, ButtonWithPdfName };

// The print dialog as a user who prints to a file: the chosen pages, one copy.
struct ScriptedPrintDialog {
    QString outputFile; ///< empty: the user cancels
    int fromPage = 0;
    int toPage = 0;
    int shown = 0;
    int pageCount = 0;

    bool operator()(QPrinter& printer, int pages, QWidget*)
    {
        ++shown;
        pageCount = pages;
        if (outputFile.isEmpty())
            return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(outputFile);
        if (fromPage > 0) {
            printer.setPrintRange(QPrinter::PageRange);
            printer.setFromTo(fromPage, toPage);
        }
        return true;
    }
};

} // namespace

Q_DECLARE_METATYPE(Request)
Q_DECLARE_METATYPE(quillory::test::Schedule)

class TestForm2Sharing final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void savesThePdf_data();
    void savesThePdf();
    void overwritingAPdf_data();
    void overwritingAPdf();
    void failedPdfSaveKeepsTheOldFile();
    void printsThePagesOfThePdf();
    void cancellingThePrintDialogPrintsNothing();
    void pictureMenu();
    void pictureMenuFromTheKeyboard_data();
    void pictureMenuFromTheKeyboard();
    void leftButtonStillDrags();

private:
    void openPreview(const test::Schedule& schedule);
    int laidOutPages() const;

    QTemporaryDir m_folder;
    test::IsolatedSettings m_settings;
    test::ScriptedPrompts m_prompts;
    std::unique_ptr<Form2> m_form;
    QString m_wordFile;
    int m_documents = 0;
};

void TestForm2Sharing::initTestCase()
{
    QVERIFY(m_folder.isValid());
    if (!test::pdf::toolsInstalled())
        QSKIP("poppler-utils is not installed; the PDFs cannot be read back");
}

void TestForm2Sharing::cleanup()
{
    setPrintDialogRunner({});
    m_form.reset();
    m_prompts.clear();
    m_prompts.answers.clear();
    m_prompts.savePaths.clear();
    m_prompts.saveFilters.clear();
}

// The preview as a run leaves it: the picture of the working document, and its path.
void TestForm2Sharing::openPreview(const test::Schedule& schedule)
{
    m_wordFile = test::saveSchedule(schedule, m_folder.path(), u"dravik%1"_s.arg(++m_documents));
    m_form = std::make_unique<Form2>();
    m_form->setPicture(std::make_shared<const doc::VectorPicture>(
        doc::recordMainText(doc::layOutDocument(doc::readDocumentFile(m_wordFile)))));
    m_form->setWordFile(std::make_shared<const OwnFile>(m_wordFile));
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

int TestForm2Sharing::laidOutPages() const
{
    return int(doc::layOutDocument(doc::readDocumentFile(m_wordFile)).pages().size());
}

void TestForm2Sharing::savesThePdf_data()
{
    QTest::addColumn<test::Schedule>("schedule");
    QTest::addColumn<Request>("request");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("pages");
    const test::Schedule threePages{u"Ann"_s, u"Sep 6, 2021"_s, test::numberedClasses(25)};
    QTest::newRow("sample, menu") << test::sampleSchedule() << Request::Menu << u"menu.pdf"_s
                                  << u"menu.pdf"_s << 1;
    QTest::newRow("sample, Ctrl+Shift+S")
        << test::sampleSchedule() << Request::Shortcut << u"keys.pdf"_s << u"keys.pdf"_s << 1;
    QTest::newRow("sample, filter, no extension")
        << test::sampleSchedule() << Request::ButtonWithPdfFilter << u"week"_s << u"week.pdf"_s
        << 1;
    QTest::newRow("three pages, name in capitals")
        << threePages << Request::ButtonWithPdfName << u"Week.PDF"_s << u"Week.PDF"_s << 3;
}

void TestForm2Sharing::savesThePdf()
{
    QFETCH(test::Schedule, schedule);
    QFETCH(Request, request);
    QFETCH(QString, typed);
    QFETCH(QString, fileName);
    QFETCH(int, pages);
    openPreview(schedule);
    const QString target = m_folder.filePath(fileName);
    m_prompts.savePaths << m_folder.filePath(typed);
    if (request == Request::ButtonWithPdfFilter)
        m_prompts.saveFilters << PdfFilter;

    if (request == Request::Menu)
        test::control<QAction>(*m_form, u"mnuSavePdf"_s)->trigger();
    else if (request == Request::Shortcut)
        QTest::keyClick(m_form.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    else
        test::Form2Controls(*m_form).PushButton6->click();

    const auto& dialog = m_prompts.shown().first();
    QCOMPARE(dialog.filter, WordFilter + u";;Word 2007-365 Files (*.docx);;"_s + PdfFilter +
                                u";;Calendar Files (*.ics)"_s);
    const bool fromMenu = request == Request::Menu || request == Request::Shortcut;
    QCOMPARE(dialog.selectedFilter, fromMenu ? PdfFilter : WordFilter);
    QCOMPARE(m_prompts.texts(Kind::Note), QStringList{u"Done."_s});
    QCOMPARE(laidOutPages(), pages);
    const QMap<QString, QString> info = test::pdf::info(target);
    QCOMPARE(info.value(u"Pages"_s), QString::number(pages));
    QCOMPARE(info.value(u"Page size"_s), u"792 x 612 pts (letter)"_s);
    QCOMPARE(info.value(u"Title"_s), u"Homework for "_s + schedule.name);
    QCOMPARE(info.value(u"Producer"_s), u"Quillory"_s);
    for (const test::pdf::Font& font : test::pdf::fonts(target))
        QVERIFY2(font.embedded, qPrintable(font.name));
    const QString outOfOrder = test::wordsOutOfOrder(
        test::pdf::text(target).remove(u' ').remove(u'\n'), test::expectedWords(schedule));
    QVERIFY2(outOfOrder.isEmpty(), qPrintable(outOfOrder));
}

void TestForm2Sharing::overwritingAPdf_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << false << true;
    QTest::newRow("No") << false << false;
    QTest::newRow("dialog cancelled") << true << false;
}

void TestForm2Sharing::overwritingAPdf()
{
    QFETCH(bool, cancel);
    QFETCH(bool, yes);
    openPreview(test::sampleSchedule());
    const QString target = m_folder.filePath(u"kept.pdf"_s);
    QVERIFY(test::writeBytes(target, "precious"));
    if (!cancel)
        m_prompts.savePaths << target;
    m_prompts.answers << yes;

    test::control<QAction>(*m_form, u"mnuSavePdf"_s)->trigger();

    QCOMPARE(m_prompts.texts(Kind::Question),
             cancel ? QStringList()
                    : QStringList{u"Are you sure you wish to overwrite "_s + target + u" ?"_s});
    QCOMPARE(test::readBytes(target).startsWith("%PDF-"), yes);
    if (!yes)
        QCOMPARE(test::readBytes(target), QByteArray("precious"));
    QCOMPARE(m_prompts.texts(Kind::Note), QStringList{u"Done."_s});
}

void TestForm2Sharing::failedPdfSaveKeepsTheOldFile()
{
    openPreview(test::sampleSchedule());
    const QString target = m_folder.filePath(u"old.pdf"_s);
    QVERIFY(test::writeBytes(target, "precious"));
    QVERIFY(test::writeBytes(m_wordFile, "no document")); // in place: the held file changes
    m_prompts.savePaths << target << u"/no/such/folder/week.pdf"_s;
    m_prompts.answers << true;

    test::control<QAction>(*m_form, u"mnuSavePdf"_s)->trigger();
    QCOMPARE(test::readBytes(target), QByteArray("precious"));
    QCOMPARE(m_prompts.errorReports().size(), 1);
    QVERIFY(m_prompts.errorReports().first().contains(u"Form2.mnuSavePdf_Click at line 130"_s));

    openPreview(test::sampleSchedule());
    m_prompts.clear();
    test::control<QAction>(*m_form, u"mnuSavePdf"_s)->trigger();
    QCOMPARE(m_prompts.errorReports().size(), 1);
    QVERIFY(m_prompts.texts(Kind::Note).isEmpty());
    m_prompts.clear();
}

// Ctrl+P prints through the system's print path; to a PDF file it gives the saved PDF's pages,
// text and producer, and a chosen range gives just those pages.
void TestForm2Sharing::printsThePagesOfThePdf()
{
    openPreview({u"Ann"_s, u"Sep 6, 2021"_s, test::numberedClasses(25)});
    const QString saved = m_folder.filePath(u"saved.pdf"_s);
    m_prompts.savePaths << saved;
    test::control<QAction>(*m_form, u"mnuSavePdf"_s)->trigger();

    auto dialog = std::make_shared<ScriptedPrintDialog>();
    dialog->outputFile = m_folder.filePath(u"printed.pdf"_s);
    setPrintDialogRunner([dialog](QPrinter& p, int n, QWidget* w) { return (*dialog)(p, n, w); });
    QTest::keyClick(m_form.get(), Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(dialog->shown, 1);
    QCOMPARE(dialog->pageCount, 3);
    QCOMPARE(test::pdf::info(dialog->outputFile).value(u"Pages"_s), u"3"_s);
    QCOMPARE(test::pdf::info(dialog->outputFile).value(u"Page size"_s),
             u"792 x 612 pts (letter)"_s);
    QCOMPARE(test::pdf::info(dialog->outputFile).value(u"Producer"_s), u"Quillory"_s);
    QCOMPARE(test::pdf::text(dialog->outputFile), test::pdf::text(saved));
    // At true size and by the document's margins: every word where the saved PDF has it.
    const QList<test::pdf::Word> printed = test::pdf::words(dialog->outputFile);
    const QList<test::pdf::Word> expected = test::pdf::words(saved);
    QCOMPARE(printed.size(), expected.size());
    for (qsizetype i = 0; i < printed.size(); ++i) {
        QCOMPARE(printed[i].page, expected[i].page);
        QVERIFY2((printed[i].box.topLeft() - expected[i].box.topLeft()).manhattanLength() < 0.1,
                 qPrintable(printed[i].text));
    }

    dialog->outputFile = m_folder.filePath(u"range.pdf"_s);
    dialog->fromPage = 2;
    dialog->toPage = 9;
    test::control<QAction>(*m_form, u"mnuPrint"_s)->trigger();
    QCOMPARE(test::pdf::info(dialog->outputFile).value(u"Pages"_s), u"2"_s);
    QVERIFY(test::pdf::text(dialog->outputFile).startsWith(u"Period"_s)); // page 2's heading
    QVERIFY(m_prompts.errorReports().isEmpty());
}

void TestForm2Sharing::cancellingThePrintDialogPrintsNothing()
{
    openPreview(test::sampleSchedule());
    auto dialog = std::make_shared<ScriptedPrintDialog>();
    setPrintDialogRunner([dialog](QPrinter& p, int n, QWidget* w) { return (*dialog)(p, n, w); });
    const QByteArray before = test::readBytes(m_wordFile);
    m_form->mnuPrint_Click();
    QCOMPARE(dialog->shown, 1);
    QCOMPARE(test::readBytes(m_wordFile), before);
    QVERIFY(m_prompts.shown().isEmpty());

    // A document that cannot be read is reported, not printed.
    openPreview(test::sampleSchedule());
    QVERIFY(test::writeBytes(m_wordFile, "no document"));
    m_form->mnuPrint_Click();
    QCOMPARE(dialog->shown, 1);
    QCOMPARE(m_prompts.errorReports().size(), 1);
    QVERIFY(m_prompts.errorReports().first().contains(u"Form2.mnuPrint_Click at line 100"_s));
    m_prompts.clear();
}

void TestForm2Sharing::pictureMenu()
{
    openPreview(test::sampleSchedule());
    const test::Form2Controls controls(*m_form);
    auto* menu = test::control<QMenu>(*m_form, u"mnuPicture"_s);
    QTest::mouseClick(controls.Picture1, Qt::RightButton, {}, {20, 20});
    QVERIFY(menu->isVisible());
    QStringList captions; // with the shortcut the menu shows
    for (const QAction* action : menu->actions())
        captions << action->text() + u'|' + action->shortcut().toString();
    QCOMPARE(captions, (QStringList{u"Print…|Ctrl+P"_s, u"Save as PDF…|Ctrl+Shift+S"_s,
                                    u"Add to Calendar…|Ctrl+Shift+E"_s,
                                    u"Publish to Calendar Server…|Ctrl+Shift+P"_s,
                                    u"Copy Picture|Ctrl+C"_s}));
    menu->hide();

    // Ctrl+Shift+E: the week handed over, as a calendar file, through the save dialog.
    m_form->setWordFile(std::make_shared<const OwnFile>(m_wordFile),
                        {sampleName(), QDate(2021, 9, 6), sampleClasses()});
    m_prompts.savePaths << m_folder.filePath(u"week.ics"_s);
    QTest::keyClick(m_form.get(), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(m_prompts.shown().first().selectedFilter, u"Calendar Files (*.ics)"_s);
    QCOMPARE(test::readBytes(m_folder.filePath(u"week.ics"_s)).count("BEGIN:VEVENT"), 13);
    QCOMPARE(m_prompts.texts(Kind::Note), QStringList{u"Done."_s});

    QGuiApplication::clipboard()->clear();
    test::control<QAction>(*m_form, u"mnuCopyPicture"_s)->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), QSize(912, 514));
    // Drawn from the picture as the preview shows it at 100 %.
    const QImage shown = controls.Picture1->grab().toImage();
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32),
             shown.convertToFormat(QImage::Format_RGB32));

    // The calendar server's dialog, over the preview, which it leaves as it was.
    test::control<QAction>(*m_form, u"mnuPublishToCalendar"_s)->trigger();
    auto* publishing = m_form->findChild<QDialog*>(u"CalendarServerDialog"_s);
    QVERIFY(publishing && publishing->isVisible());
    publishing->close();
    QTRY_VERIFY(!m_form->findChild<QDialog*>(u"CalendarServerDialog"_s)); // gone with its close

    // The commands add no button; the window keeps its four.
    QCOMPARE(m_form->findChildren<QPushButton*>().size(), 4);
}

void TestForm2Sharing::pictureMenuFromTheKeyboard_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::newRow("Menu key") << QKeyCombination(Qt::Key_Menu);
    QTest::newRow("Shift+F10") << (Qt::ShiftModifier | Qt::Key_F10);
}

// Whichever control has the focus, the menu opens in the middle of the view.
void TestForm2Sharing::pictureMenuFromTheKeyboard()
{
    QFETCH(QKeyCombination, key);
    openPreview(test::sampleSchedule());
    const test::Form2Controls controls(*m_form);
    auto* menu = test::control<QMenu>(*m_form, u"mnuPicture"_s);
    controls.PushButton8->setFocus();
    QTest::keyClick(controls.PushButton8, key.key(), key.keyboardModifiers());
    QVERIFY(menu->isVisible());
    // The viewport is 622 × 495 pixels at (8, 8): its middle pixel is (310, 247) within it.
    QCOMPARE(menu->pos(), m_form->mapToGlobal(QPoint(8 + 310, 8 + 247)));
    menu->hide();
}

void TestForm2Sharing::leftButtonStillDrags()
{
    openPreview(test::sampleSchedule()); // 912 × 514 pixels in a 618 × 491 viewport
    const test::Form2Controls controls(*m_form);
    auto* menu = test::control<QMenu>(*m_form, u"mnuPicture"_s);
    QTest::mousePress(controls.Picture1, Qt::LeftButton, {}, {300, 200});
    QTest::mouseMove(controls.Picture1, {200, 180});
    QCOMPARE(controls.Picture1->pos(), QPoint(-100, -20));
    QTest::mouseRelease(controls.Picture1, Qt::LeftButton, {}, {200, 180});
    QVERIFY(!menu->isVisible());
}

QTEST_MAIN(TestForm2Sharing)
#include "test_form2_sharing.moc"
