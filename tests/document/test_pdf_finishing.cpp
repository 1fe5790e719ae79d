// SPDX-License-Identifier: MIT
// Finishing the PDFs Qt writes: its ToUnicode maps read and spelt out, an edited file that
// poppler still reads without a complaint, and the bold title drawn once.
#include "document/document_file.h"
#include "document/paint/paged_output.h"
#include "document/paint/renderer.h"
#include "document/pdf/pdf_finishing.h"
#include "document/pdf/pdf_output.h"
#include "document/pdf/to_unicode.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/test_files.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

// Every Flate stream of a PDF, inflated and joined: the pages' drawing operators.
QByteArray inflatedStreams(const QByteArray& pdf)
{
    static const QRegularExpression stream(u"/FlateDecode\\s*>>\\s*stream\\r?\\n"_s);
    QByteArray all;
    const QString text = QString::fromLatin1(pdf);
    for (auto match = stream.globalMatch(text); match.hasNext();) {
        const qsizetype start = match.next().capturedEnd();
        const QByteArray data = pdf.sliced(start, pdf.indexOf("endstream", start) - start);
        // qUncompress wants the length first; it grows a buffer too small for the data.
        all += qUncompress(QByteArray("\0\0\x10\0", 4) + data);
    }
    return all;
}

// "flag office" in URW Gothic, as Qt's PDF writer writes it.
QByteArray qtPdf()
{
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    QPainter painter(&writer);
    painter.setFont(QFont(u"URW Gothic"_s, 24));
    painter.drawText(QPointF(100, 200), u"flag office"_s);
    painter.end();
    return written;
}

} // namespace

class TestPdfFinishing final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsQtsMaps_data()
    {
        QTest::addColumn<QByteArray>("entries");
        QTest::addColumn<QStringList>("texts"); // codes 0, 1, 2 …
        QTest::newRow("list range") << QByteArray("2 beginbfrange\n<0000> <0000> <0000>\n"
                                                  "<0001> <0002> [<FB02> <0061> ]\nendbfrange\n")
                                    << QStringList{u"\u0000"_s, u"ﬂ"_s, u"a"_s};
        QTest::newRow("counting range")
            << QByteArray("1 beginbfrange\n<0001> <0003> <0041>\nendbfrange\n")
            << QStringList{u""_s, u"A"_s, u"B"_s, u"C"_s};
        QTest::newRow("characters, a surrogate pair")
            << QByteArray("2 beginbfchar\n<0001> <D83CDF89>\n<0002> <00660069>\nendbfchar\n")
            << QStringList{u""_s, u"🎉"_s, u"fi"_s};
    }

    void readsQtsMaps()
    {
        QFETCH(QByteArray, entries);
        QFETCH(QStringList, texts);
        const QByteArray map = "/CIDInit /ProcSet findresource begin\n1 begincodespacerange\n"
                               "<0000> <FFFF>\nendcodespacerange\n" +
                               entries + "endcmap\n";
        const doc::CodeTexts read = doc::readToUnicode(map);
        QStringList found(texts.size());
        for (const auto& [code, text] : read)
            found[code] = text;
        QCOMPARE(found, texts);
    }

    void spellsOutCompatibilityForms_data()
    {
        QTest::addColumn<QString>("mapped");
        QTest::addColumn<QString>("typed");
        QTest::newRow("ligature") << u"ﬂ"_s << u"fl"_s;
        QTest::newRow("Kangxi radical") << u"⽥"_s << u"田"_s;
        QTest::newRow("Arabic initial form") << u"ﻣ"_s << u"م"_s;
        QTest::newRow("lam-alef") << u"ﻼ"_s << u"لا"_s;
        QTest::newRow("accented letter stays") << u"é"_s << u"é"_s;
        QTest::newRow("emoji stays") << u"🎉"_s << u"🎉"_s;
    }

    void spellsOutCompatibilityForms()
    {
        QFETCH(QString, mapped);
        QFETCH(QString, typed);
        QCOMPARE(doc::withoutCompatibilityForms(mapped), typed);
    }

    // Without a recording, the fonts keep Qt's maps with ligatures spelt out; the file is
    // rewritten (names, maps, producer) and poppler reads it without a word of complaint.
    void unrecordedPdfStillReadsAsTyped()
    {
        if (!test::pdf::toolsInstalled())
            QSKIP("poppler-utils is not installed");
        QTemporaryDir folder;
        const QString file = folder.filePath(u"finished.pdf"_s);
        QVERIFY(test::writeBytes(file, doc::finishedPdf({qtPdf(), {}, {}, 0}, "Quillory")));

        QProcess text;
        text.start(u"pdftotext"_s, {file, u"-"_s});
        QVERIFY(text.waitForFinished());
        QCOMPARE(text.readAllStandardError(), QByteArray());
        QCOMPARE(text.readAllStandardOutput().trimmed(), QByteArray("flag office"));
        QCOMPARE(test::pdf::info(file).value(u"Producer"_s), u"Quillory"_s);
        static const QRegularExpression tagged(u"^[A-Z]{6}\\+URWGothic-Book$"_s);
        QVERIFY(tagged.match(test::pdf::fonts(file).first().name).hasMatch());
    }

    // A file the pass cannot finish is kept as Qt wrote it, so the save still succeeds.
    void unfinishablePdfIsKeptAsWritten_data()
    {
        QTest::addColumn<QByteArray>("pdf");
        const QByteArray written = qtPdf();
        QTest::newRow("not a PDF") << QByteArray("Homework for Dana");
        QTest::newRow("cut short") << written.first(written.size() / 2);
        QTest::newRow("table off by a byte") << QByteArray(written).insert(9, ' ');
        QTest::newRow("font without its descendant")
            << QByteArray(written).replace("/DescendantFonts", "/DescendantFontz");
        QTest::newRow("no document information") << QByteArray(written).replace("/Info", "/Infx");
    }

    void unfinishablePdfIsKeptAsWritten()
    {
        QFETCH(QByteArray, pdf);
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(u"^The PDF is saved as Qt wrote it"_s));
        QCOMPARE(doc::finishedPdf({pdf, {}, {}, 0}, "Quillory"), pdf);
    }

    // A bold request met by a demi-bold face is drawn with that face once; Qt's artificial
    // emboldening would draw every glyph a second time, marked as having no text.
    void boldTitleIsDrawnOnce()
    {
        QTemporaryDir folder;
        const doc::Document document = doc::readDocumentFile(
            test::saveSchedule(test::sampleSchedule(), folder.path(), u"bold"_s));
        const doc::VectorPicture picture = doc::recordDocument(document);
        const QByteArray drawing = inflatedStreams(
            doc::paintedPdf(picture, document.page, u"Title"_s, doc::allPages(picture)).pdf);
        QVERIFY(drawing.contains(" Tj"));
        QVERIFY(!drawing.contains("/ActualText <>"));
    }
};

QTEST_MAIN(TestPdfFinishing)
#include "test_pdf_finishing.moc"
