// SPDX-License-Identifier: MIT
// The schedule as a PDF, read back by poppler's tools: the document's paper, every page of the
// layout, embedded fonts, every text in order, words where the template puts them, and pages
// that look like the preview's picture of the same layout.
#include "document/document_file.h"
#include "document/paint/paged_output.h"
#include "document/paint/renderer.h"
#include "document/pdf/pdf_output.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/test_files.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

// Whitespace is the reader's business (a long word may be broken over two lines); the words
// themselves and their order are not.
void requireWordsInOrder(const QString& found, const QStringList& words)
{
    static const QRegularExpression space(u"\\s+"_s);
    const QString outOfOrder = wordsOutOfOrder(QString(found).remove(space), words);
    QVERIFY2(outOfOrder.isEmpty(), qPrintable(outOfOrder));
}

// Both pictures reduced to grey blocks of 8 × 8 pixels: different rasterisers agree on where
// the ink is, not on each pixel's shade.
QImage inkBlocks(const QImage& picture)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    return grey.scaled(grey.width() / 8, grey.height() / 8, Qt::IgnoreAspectRatio,
                       Qt::SmoothTransformation);
}

// How many dark pixels the first class's Monday holds in a picture at 96 dots per inch: the
// column from 1,172 to 2,958 twips (the template's cells), below the heading row, with the
// row's bottom border.
int mondayInk(const QImage& picture)
{
    int ink = 0;
    for (int y = 80; y < picture.height() - 4; ++y) {
        for (int x = 82; x < 194; ++x)
            ink += qGray(picture.pixel(x, y)) < 160 ? 1 : 0;
    }
    return ink;
}

double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    }
    return sum / (double(a.width()) * a.height());
}

} // namespace

class TestPdfOutput final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (!pdf::toolsInstalled())
            QSKIP("poppler-utils is not installed; the PDFs cannot be read back");
        QVERIFY(m_folder.isValid());
        writePdf({u"Staffel"_s, u"Jan 1, 2027"_s, {{u"1. Art"_s, {u""_s}}}});
        m_emptyMondayInk = mondayInk(doc::renderMainText(doc::layOutDocument(m_document), 1.0));
    }

    // A row too long for a page goes on under the heading row repeated on the next; the title
    // is kept whole in the metadata, brackets and backslash included.
    void rowsOverPagesKeepEveryWord()
    {
        Schedule schedule{u"Noor (B) \\ Lee"_s, u"Jan 1, 2027"_s, numberedClasses(3)};
        for (ClassRow& row : schedule.classes)
            row.days[2] = u"Read pages one to twenty and answer every question. "_s.repeated(40);
        const QString file = writePdf(schedule);
        const int laidOut = int(doc::layOutDocument(m_document).pages().size());
        QVERIFY(laidOut > 3);
        const QMap<QString, QString> info = pdf::info(file);
        QCOMPARE(info.value(u"Pages"_s), QString::number(laidOut));
        QCOMPARE(info.value(u"Page rot"_s), u"0"_s);
        QCOMPARE(info.value(u"Title"_s), u"Homework for Noor (B) \\ Lee"_s);
        QCOMPARE(info.value(u"Creator"_s), u"Quillory"_s);
        QCOMPARE(info.value(u"Producer"_s), u"Quillory"_s);

        QList<int> headings(laidOut, 0);
        for (const pdf::Word& word : pdf::words(file))
            headings[word.page] += word.text == u"Period"_s ? 1 : 0;
        QCOMPARE(headings, QList<int>(laidOut, 1));

        // Read page by page, each page holds its part of every cell.
        const QString text = pdf::text(file);
        for (const QString& word : {u"Read"_s, u"twenty"_s, u"answer"_s, u"question."_s})
            QCOMPARE(text.count(word), 3 * 40);
        requireWordsInOrder(text, {u"P1"_s, u"P1Mon"_s, u"P1Tue"_s, u"P1Thu"_s, u"P3Sun"_s});
    }

    // Every script we can show is text in the PDF, in a font it carries.
    void hostileTextsKeepTheirFontsEmbedded()
    {
        const QString file = writePdf(hostileSchedule());
        static const QRegularExpression subsetTag(u"^[A-Z]{6}\\+"_s);
        for (const pdf::Font& font : pdf::fonts(file)) {
            QVERIFY2(font.embedded, qPrintable(font.name + u" is not embedded"_s));
            QVERIFY2(subsetTag.match(font.name).hasMatch(), qPrintable(font.name));
        }
        const QString text = pdf::text(file);
        for (const QString& word :
             {u"Fran\u00e7ais"_s, u"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac"_s,
              u"\u6570\u5b66\u306e\u5bbf\u984c"_s, u"{{x}}"_s, u"\u201cquotes\u201d"_s})
            QVERIFY2(text.contains(word), qPrintable(word));
    }

    // Each row is typed into the first class's Monday: it is drawn (ink in that cell of the
    // picture) and poppler reads back the words as typed, not the compatibility characters that
    // share their glyphs (ﬂ, ⽥, ﻣ) nor nothing for an emoji. A character no font has is drawn as
    // a box and still reads as typed.
    void everyScriptIsDrawnAndReadsAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("ligatures")
            << u"flag first final office waffle"_s
            << QStringList{u"flag"_s, u"first"_s, u"final"_s, u"office"_s, u"waffle"_s};
        QTest::newRow("bold ligatures in the name") << u""_s << QStringList{u"Staffel"_s};
        QTest::newRow("accented Latin")
            << u"Crème brûlée, naïve"_s << QStringList{u"Crème"_s, u"brûlée,"_s, u"naïve"_s};
        QTest::newRow("Greek") << u"Ελληνικά"_s << QStringList{u"Ελληνικά"_s};
        QTest::newRow("Cyrillic") << u"Русский язык"_s << QStringList{u"Русский"_s, u"язык"_s};
        QTest::newRow("Arabic") << u"مرحبا كتاب"_s << QStringList{u"مرحبا"_s, u"كتاب"_s};
        QTest::newRow("Arabic lam-alef ligature")
            << u"الأسئلة لا"_s << QStringList{u"الأسئلة"_s, u"لا"_s};
        QTest::newRow("Hebrew") << u"שיעורי בית"_s << QStringList{u"שיעורי"_s, u"בית"_s};
        QTest::newRow("Devanagari") << u"गृहकार्य हिन्दी"_s << QStringList{u"गृहकार्य"_s, u"हिन्दी"_s};
        QTest::newRow("Bengali") << u"বাংলা"_s << QStringList{u"বাংলা"_s};
        QTest::newRow("Tamil") << u"தமிழ்"_s << QStringList{u"தமிழ்"_s};
        QTest::newRow("Telugu") << u"తెలుగు"_s << QStringList{u"తెలుగు"_s};
        QTest::newRow("Gujarati") << u"ગુજરાતી"_s << QStringList{u"ગુજરાતી"_s};
        QTest::newRow("Gurmukhi") << u"ਪੰਜਾਬੀ"_s << QStringList{u"ਪੰਜਾਬੀ"_s};
        QTest::newRow("Kannada") << u"ಕನ್ನಡ"_s << QStringList{u"ಕನ್ನಡ"_s};
        QTest::newRow("Malayalam") << u"മലയാളം"_s << QStringList{u"മലയാളം"_s};
        QTest::newRow("Oriya") << u"ଓଡ଼ିଆ"_s << QStringList{u"ଓଡ଼ିଆ"_s};
        QTest::newRow("Thai") << u"การบ้าน ภาษาไทย"_s << QStringList{u"การบ้าน"_s, u"ภาษาไทย"_s};
        QTest::newRow("Thai SARA AM, drawn as two glyphs")
            << u"ทำแบบฝึกหัด น้ำ"_s << QStringList{u"ทำแบบฝึกหัด"_s, u"น้ำ"_s};
        QTest::newRow("Chinese") << u"田日 数学"_s << QStringList{u"田日"_s, u"数学"_s};
        QTest::newRow("Japanese") << u"日本語の宿題"_s << QStringList{u"日本語の宿題"_s};
        QTest::newRow("Korean") << u"한국어 숙제"_s << QStringList{u"한국어"_s, u"숙제"_s};
        QTest::newRow("emoji") << u"Party 🎉 done ✅ lab 🧪"_s
                               << QStringList{u"Party"_s, u"🎉"_s, u"done"_s, u"✅"_s, u"🧪"_s};
        QTest::newRow("no font has it") << u"\U0010FFFD"_s << QStringList{u"\U0010FFFD"_s};
    }

    void everyScriptIsDrawnAndReadsAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QStringList, words);
        Schedule schedule{u"Staffel"_s, u"Jan 1, 2027"_s, {{u"1. Art"_s, {typed}}}};
        const QString file = writePdf(schedule);
        // Poppler marks right-to-left stretches with embedding controls.
        static const QRegularExpression embeddings(u"[\u202a-\u202e]"_s);
        requireWordsInOrder(pdf::text(file).remove(embeddings), words);
        const int ink = mondayInk(doc::renderMainText(doc::layOutDocument(m_document), 1.0));
        if (!typed.isEmpty())
            QVERIFY2(ink > m_emptyMondayInk + 12, qPrintable(QString::number(ink)));
    }

    // The template's margins are 0.75 inch (54 points); the first day column's text starts
    // after the period column (1,172 twips) and the cell's padding (115 twips).
    void wordsSitWhereTheTemplatePutsThem()
    {
        const QList<pdf::Word> words = pdf::words(writePdf(sampleSchedule()));
        const auto find = [&](const QString& text) {
            for (const pdf::Word& word : words) {
                if (word.text == text)
                    return word.box;
            }
            return QRectF();
        };
        QCOMPARE(find(u"Homework"_s).left(), 54.0);
        QVERIFY(qAbs(find(u"Lab"_s).left() - 118.35) < 0.01);
        // The heading row begins below the 16-point title and the empty 10-point paragraph.
        QVERIFY(find(u"Homework"_s).top() > 54.0 && find(u"Homework"_s).top() < 62.0);
        QVERIFY(find(u"Period"_s).top() > find(u"Homework"_s).bottom() + 12.0);
    }

    // Poppler's drawing of each page, cut to the text area, against the preview's picture of
    // the same stretch of the layout, both at 96 dots per inch.
    void pagesLookLikeThePicture()
    {
        Schedule schedule = sampleSchedule();
        schedule.classes += numberedClasses(12);
        const QString file = writePdf(schedule);
        const doc::DocumentLayout layout = doc::layOutDocument(m_document);
        QCOMPARE(layout.pages().size(), std::size_t(2));
        const QImage picture = doc::renderMainText(layout, 1.0);

        QProcess::execute(u"pdftoppm"_s,
                          {u"-r"_s, u"96"_s, u"-png"_s, file, m_folder.filePath(u"page"_s)});
        int top = 0;
        for (int page = 1; page <= 2; ++page) {
            const QImage drawn(m_folder.filePath(u"page-%1.png"_s.arg(page)));
            QCOMPARE(drawn.size(), QSize(1056, 816));                    // 11 × 8.5 inches
            const int height = page == 1 ? 672 : picture.height() - top; // 7 inches of text area
            const QImage textArea = drawn.copy(72, 72, 912, height);
            const QImage stripe = picture.copy(0, top, 912, height);
            const double difference = meanDifference(inkBlocks(textArea), inkBlocks(stripe));
            QVERIFY2(difference < 4.0,
                     qPrintable(u"page %1 differs by %2"_s.arg(page).arg(difference)));
            // Shifting the picture by one line shows what a real difference amounts to.
            const QImage shifted = picture.copy(0, top + 13, 912, height);
            QVERIFY(meanDifference(inkBlocks(textArea), inkBlocks(shifted)) > 2 * difference);
            top += height + 10; // the grey gap between pages in the picture
        }
    }

    // At 100 % (96 dots per inch) the table's right border is as black a line as its left one,
    // in poppler's drawing of the PDF (text area from 72 to 984) and in the preview's picture.
    void outerBordersShowAtOneHundredPercent()
    {
        const QString file = writePdf(sampleSchedule());
        QProcess::execute(u"pdftoppm"_s,
                          {u"-r"_s, u"96"_s, u"-png"_s, file, m_folder.filePath(u"borders"_s)});
        const QImage drawn(m_folder.filePath(u"borders-1.png"_s));
        const QImage picture = doc::renderMainText(doc::layOutDocument(m_document), 1.0);
        for (const int y : {150, 200, 300}) {
            QCOMPARE(drawn.pixel(71, y), qRgb(255, 255, 255));
            QCOMPARE(drawn.pixel(72, y), qRgb(0, 0, 0));
            QCOMPARE(drawn.pixel(984, y), qRgb(0, 0, 0));
            QCOMPARE(drawn.pixel(985, y), qRgb(255, 255, 255));
            QCOMPARE(picture.pixel(0, y - 72), qRgb(0, 0, 0));
            QCOMPARE(picture.pixel(911, y - 72), qRgb(0, 0, 0));
        }
    }

    void titleIsTheTitleLineBeforeTheDate_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("title");
        QTest::newRow("schedule") << u"Homework for Ann\tWeek of Sep 6, 2021"_s
                                  << u"Homework for Ann"_s;
        QTest::newRow("empty name") << u"Homework for \tWeek of Sep 6, 2021"_s << u"Homework for"_s;
        QTest::newRow("tab in the name")
            << u"Homework for A\tB\tWeek of Sep 6"_s << u"Homework for A B"_s;
        QTest::newRow("no date") << u"Homework for Ann"_s << u"Homework for Ann"_s;
        QTest::newRow("control characters")
            << u"Homework for A\u0001n\u001fn\tWeek of"_s << u"Homework for Ann"_s;
    }

    void titleIsTheTitleLineBeforeTheDate()
    {
        QFETCH(QString, line);
        QFETCH(QString, title);
        doc::Document document;
        document.body.push_back(doc::Paragraph{{doc::Run{line, {}}}, {}, {}});
        QCOMPARE(doc::scheduleTitle(document), title);
    }

    void documentWithoutATitleLineHasNoTitle()
    {
        QCOMPARE(doc::scheduleTitle(doc::Document{}), QString());
        doc::Document tableFirst;
        tableFirst.body.push_back(doc::Table{});
        QCOMPARE(doc::scheduleTitle(tableFirst), QString());
    }

private:
    QString writePdf(const Schedule& schedule)
    {
        const QString name = u"schedule%1"_s.arg(++m_count);
        m_document = doc::readDocumentFile(saveSchedule(schedule, m_folder.path(), name));
        const QString file = m_folder.filePath(name + u".pdf"_s);
        [&] {
            QVERIFY(
                writeBytes(file, doc::pdfFromDocument(m_document, doc::scheduleTitle(m_document))));
        }();
        return file;
    }

    QTemporaryDir m_folder;
    doc::Document m_document;
    int m_count = 0;
    int m_emptyMondayInk = 0; // the row's bottom border
};

QTEST_MAIN(TestPdfOutput)
#include "test_pdf_output.moc"
