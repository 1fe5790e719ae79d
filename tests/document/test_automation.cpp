// SPDX-License-Identifier: MIT

#include "document/automation/application_starter.h"
#include "document/rtf/rtf_reader.h"
#include "document/rtf/rtf_writer.h"
#include "resources/schedule_template.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/failure_status.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace quillory::doc::automation {

namespace {

QString writeDocument(const QString& folder, const QString& name, const doc::Document& content)
{
    const QString path = folder + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toRtf(content)) < 0)
        qFatal("cannot write the test document");
    return path;
}

doc::Document oneParagraph(std::vector<Run> runs)
{
    doc::Document content;
    content.body.push_back(Paragraph{std::move(runs), {}, {}});
    return content;
}

const Paragraph& firstParagraph(const automation::Document& document)
{
    return std::get<Paragraph>(document.content().body.front());
}

} // namespace

class TestAutomation final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        m_application = startApplication();
    }

    void cleanup() { m_application.reset(); }

    void placeholders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << u"Dana Whitlow"_s
                               << u"Homework for Dana Whitlow\tWeek of Sep 6, 2021"_s;
        QTest::newRow("empty") << QString() << u"Homework for \tWeek of Sep 6, 2021"_s;
        QTest::newRow("date in the name")
            << u"Kim [date]"_s << u"Homework for Kim Sep 6, 2021\tWeek of Sep 6, 2021"_s;
        QTest::newRow("the placeholder itself")
            << u"[YourName][YourName]"_s
            << u"Homework for [YourName][YourName]\tWeek of Sep 6, 2021"_s;
        QTest::newRow("control codes stay text")
            << u"^p^& \\par {x}"_s << u"Homework for ^p^& \\par {x}\tWeek of Sep 6, 2021"_s;
    }

    void placeholders()
    {
        QFETCH(QString, name);
        QFETCH(QString, title);
        Document document = openTemplate();
        test::replacePlaceholders(document, name, u"Sep 6, 2021"_s);
        QCOMPARE(test::titleText(document.content()), title);
    }

    void replacedTextKeepsItsLook()
    {
        Document document = openTemplate();
        test::replacePlaceholders(document, u"Dana"_s, u"Sep 6, 2021"_s);
        const std::vector<Run>& runs = firstParagraph(document).runs;
        QCOMPARE(runs.size(), size_t(2));
        QCOMPARE(runs[0].text, u"Homework for Dana"_s);
        QVERIFY(runs[0].format.bold);
        QCOMPARE(runs[0].format.halfPoints, 32);
        QCOMPARE(runs[1].text, u"\tWeek of Sep 6, 2021"_s);
        QCOMPARE(runs[1].format.color, std::optional(qRgb(153, 153, 153)));
    }

    void matchSpanningRunsTakesTheFirstCharactersLook()
    {
        CharFormat bold;
        bold.bold = true;
        CharFormat red;
        red.color = qRgb(255, 0, 0);
        Document document = open(oneParagraph({{u"a [Your"_s, bold}, {u"Name] b"_s, red}}));
        QVERIFY(document.Range().Find().Execute(u"[yourname]"_s, u"Lee"_s, wdReplaceAll));
        const std::vector<Run> expected{{u"a Lee"_s, bold}, {u" b"_s, red}};
        QCOMPARE(firstParagraph(document).runs, expected);
    }

    void matching_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("find");
        QTest::addColumn<bool>("matchCase");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<QString>("expected");
        QTest::newRow("any case") << u"[date] [DATE] [Date]"_s << u"[Date]"_s << false << false
                                  << u"X X X"_s;
        QTest::newRow("case kept")
            << u"[date] [DATE] [Date]"_s << u"[Date]"_s << true << false << u"[date] [DATE] X"_s;
        QTest::newRow("inside words")
            << u"cat concat cats"_s << u"cat"_s << false << false << u"X conX Xs"_s;
        QTest::newRow("whole words")
            << u"cat concat cats, cat."_s << u"cat"_s << false << true << u"X concat cats, X."_s;
        QTest::newRow("brackets are plain")
            << u"[a-z] a"_s << u"[a-z]"_s << false << false << u"X a"_s;
        QTest::newRow("no overlap") << u"aaaa"_s << u"aa"_s << false << false << u"XX"_s;
        QTest::newRow("empty pattern") << u"abc"_s << QString() << false << false << u"abc"_s;
    }

    void matching()
    {
        QFETCH(QString, text);
        QFETCH(QString, find);
        QFETCH(bool, matchCase);
        QFETCH(bool, wholeWord);
        QFETCH(QString, expected);
        Document document = open(oneParagraph({{text, {}}}));
        Range range = document.Range();
        range.Find().setMatchCase(matchCase);
        range.Find().setMatchWholeWord(wholeWord);
        range.Find().Execute(find, u"X"_s, wdReplaceAll);
        QCOMPARE(firstParagraph(document).text(), expected);
    }

    void replaceOneAndFindOnly()
    {
        Document document = open(oneParagraph({{u"x1 x2 x3"_s, {}}}));
        Range range = document.Range();
        Find& find = range.Find();
        QVERIFY(!find.Execute(u"y"_s, u"z"_s, wdReplaceNone));
        QVERIFY(find.Execute(u"x"_s, u"z"_s, wdReplaceNone));
        QVERIFY(find.Execute(u"x"_s, u"z"_s, wdReplaceOne));
        find.setForward(false);
        QVERIFY(find.Execute(wdReplaceOne));
        QCOMPARE(firstParagraph(document).text(), u"z1 x2 z3"_s);
    }

    void matchesInsideCells()
    {
        doc::Document content = test::scheduleDocument();
        auto& table = std::get<Table>(content.body[2]);
        table.rows[1].cells[3].paragraphs.push_back(Paragraph{{{u"due [Date]"_s, {}}}, {}, {}});
        Document document = open(content);
        test::replacePlaceholders(document, u"N"_s, u"Sep 6"_s);
        const Table& replaced = test::scheduleTable(document.content());
        QCOMPARE(test::rowTexts(replaced.rows[1])[3], u"\ndue Sep 6"_s);
    }

    void unsupportedSwitchesThrow_data()
    {
        QTest::addColumn<int>("which");
        QTest::newRow("wildcards") << 0;
        QTest::newRow("sounds like") << 1;
        QTest::newRow("all word forms") << 2;
    }

    void unsupportedSwitchesThrow()
    {
        QFETCH(int, which);
        Document document = openTemplate();
        Range range = document.Range();
        Find& find = range.Find();
        find.setMatchWildcards(which == 0);
        find.setMatchSoundsLike(which == 1);
        find.setMatchAllWordForms(which == 2);
        QVERIFY_THROWS_EXCEPTION(Failure, find.Execute(u"[Date]"_s, u"x"_s, wdReplaceAll));
        QCOMPARE(test::titleText(document.content()), u"Homework for [YourName]\tWeek of [Date]"_s);
    }

    void shapesReplaceWithinTheirText()
    {
        doc::Document content = test::scheduleDocument();
        content.shapes.push_back(doc::Shape{{Paragraph{{{u"[YourName] [Date]"_s, {}}}, {}, {}}}});
        content.shapes.push_back(doc::Shape{{Paragraph{}}});
        Document document = open(content);
        QList<bool> hasText;
        for (automation::Shape& shape : document.Shapes()) {
            hasText.append(shape.TextFrame().HasText());
            if (shape.TextFrame().HasText())
                shape.TextFrame().TextRange().Find().Execute(u"[YourName]"_s, u"Ann"_s,
                                                             wdReplaceAll);
        }
        QCOMPARE(hasText, (QList<bool>{true, false}));
        QCOMPARE(document.content().shapes[0].paragraphs[0].text(), u"Ann [Date]"_s);
        QCOMPARE(test::titleText(document.content()), u"Homework for [YourName]\tWeek of [Date]"_s);
    }

    void saveAsThenOpenGivesTheSameDocument()
    {
        Document document = openTemplate();
        test::replacePlaceholders(document, u"Zoë 😀 {\\}"_s, u"Sep 6, 2021"_s);
        test::typeClasses(*m_application, test::numberedClasses(3));
        const QString saved = m_folder->filePath(u"result.doc"_s);
        document.SaveAs(saved);
        QCOMPARE(document.FullName(), saved);
        const doc::Document before = document.content();
        document.Close();
        Document reopened = m_application->Documents().Open(saved);
        QCOMPARE(reopened.content(), before);
    }

    void saveAsReplacesALinkNotItsTarget()
    {
        const QString target = m_folder->filePath(u"target.txt"_s);
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("keep") == 4);
        file.close();
        const QString link = m_folder->filePath(u"link.doc"_s);
        QVERIFY(QFile::link(target, link));
        openTemplate().SaveAs(link);
        QVERIFY(!QFileInfo(link).isSymLink());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("keep"));
    }

    void openFailuresNameThePath_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<Failure::Status>("status");
        QTest::newRow("missing") << QByteArray() << Failure::NotFound;
        QTest::newRow("not rtf") << QByteArray("PK\x03\x04 zip") << Failure::Malformed;
        QTest::newRow("truncated") << QByteArray("{\\rtf1 {\\b x") << Failure::Malformed;
    }

    void openFailuresNameThePath()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(Failure::Status, status);
        const QString path = m_folder->filePath(u"in.doc"_s);
        if (!bytes.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        try {
            m_application->Documents().Open(path);
            QFAIL("opening did not fail");
        } catch (const Failure& failure) {
            QVERIFY2(failure.description().contains(path), qPrintable(failure.description()));
            QCOMPARE(failure.status(), status);
        }
        QCOMPARE(m_application->Documents().Count(), 0);
    }

    void saveFailures()
    {
        Document document = openTemplate();
        QVERIFY_THROWS_EXCEPTION(Failure, document.SaveAs(u"/no/such/folder/x.doc"_s));
        QVERIFY_THROWS_EXCEPTION(Failure, document.SaveAs(document.FullName()));
        QVERIFY_THROWS_EXCEPTION(Failure, document.SaveAs(QString()));
        // A close that cannot save leaves the document open.
        QVERIFY_THROWS_EXCEPTION(Failure, document.Close(wdSaveChanges));
        QCOMPARE(m_application->Documents().Count(), 1);
        QCOMPARE(QFile(document.FullName()).size(), qint64(templateBytes().size()));
    }

    void closedDocumentRefusesEverything()
    {
        Document document = openTemplate();
        Range range = document.Range();
        document.Close(wdDoNotSaveChanges);
        const QString closed = u"The document is closed."_s;
        expectFailure([&] { document.Range(); }, closed);
        expectFailure([&] { document.SaveAs(m_folder->filePath(u"x.doc"_s)); }, closed);
        expectFailure([&] { document.Close(); }, closed);
        expectFailure([&] { range.Find().Execute(wdReplaceAll); }, closed);
        expectFailure([&] { range.CopyAsPicture(); }, closed);
        expectFailure([&] { m_application->Selection().TypeText(u"x"_s); },
                      u"No document is open."_s);
        expectFailure([&] { m_application->ActiveDocument(); }, u"No document is open."_s);
    }

    void quitApplicationRefusesEverything()
    {
        Document document = openTemplate();
        Selection selection = m_application->Selection();
        m_application->setDisplayAlerts(false);
        m_application->Quit();
        const QString quit = u"The document component has quit."_s;
        expectFailure([&] { m_application->Quit(); }, quit);
        expectFailure([&] { m_application->Documents(); }, quit);
        expectFailure([&] { m_application->DisplayAlerts(); }, quit);
        expectFailure([&] { selection.MoveDown(wdLine, 1); }, quit);
        expectFailure([&] { document.StoryRanges(); }, quit);
        m_application.reset();
        expectFailure([&] { document.Shapes(); }, quit);
    }

    // The picture is the text's own extent: as wide as the text area, as high as the title, the
    // empty paragraph, the two rows (420 and 792 twips) and the paragraph after the table.
    void copyAsPicturePutsTheTextOnTheClipboard()
    {
        Document document = openTemplate();
        QGuiApplication::clipboard()->clear();
        document.Range().CopyAsPicture();
        const QImage picture = QGuiApplication::clipboard()->image();
        const qreal ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
        QCOMPARE(picture.width(), qRound(912 * ratio));
        const qreal twips = picture.height() / ratio * 15;
        QVERIFY2(twips > 420 + 792 + 3 * 240 && twips < 420 + 792 + 3 * 480 + 15,
                 qPrintable(QString::number(twips)));
        QCOMPARE(picture.pixelColor(picture.width() / 2, picture.height() - 2), QColor(Qt::white));
    }

    // Some 200 pages are pictured at a lower ratio rather than in gigabytes.
    void veryLongDocumentsArePicturedWithinSixteenMillionPixels()
    {
        doc::Document content = test::scheduleDocument();
        auto& rows = std::get<doc::Table>(content.body[2]).rows;
        rows[1].cells[1].paragraphs[0].runs = {{QString(40000, u'w'), {}}};
        rows.insert(rows.end(), 2, rows[1]);
        Document document = open(content);
        document.Range().CopyAsPicture();
        const QImage picture = QGuiApplication::clipboard()->image();
        QVERIFY(!picture.isNull());
        QVERIFY2(qint64(picture.width()) * picture.height() <= 16 * 1024 * 1024,
                 qPrintable(QString::number(picture.height())));
        QVERIFY(picture.height() > 16 * 1024 * 1024 / 912 / 2);
    }

private:
    Document open(const doc::Document& content)
    {
        return m_application->Documents().Open(
            writeDocument(m_folder->path(), u"in.doc"_s, content));
    }

    Document openTemplate()
    {
        return m_application->Documents().Open(test::writeTemplateCopy(m_folder->path()), true);
    }

    static void expectFailure(const std::function<void()>& action, const QString& description)
    {
        try {
            action();
            QFAIL("no failure");
        } catch (const Failure& failure) {
            QCOMPARE(failure.description(), description);
        }
    }

    std::optional<QTemporaryDir> m_folder;
    std::unique_ptr<Application> m_application;
};

} // namespace quillory::doc::automation

QTEST_MAIN(quillory::doc::automation::TestAutomation)
#include "test_automation.moc"
