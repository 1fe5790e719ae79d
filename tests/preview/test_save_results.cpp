// Saving the generated document: dialog, overwrite question, atomic copy, "Done.".
#include "base/own_file.h"
#include "preview/save_results.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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
    void failedCopyKeepsOldFileAndSaysNoDone();
    void savingOntoTheWorkingCopyKeepsIt();
    void twoSavesInARow();

private:
    QTemporaryDir m_folder;
    QString m_wordFile;
    std::unique_ptr<OwnFile> m_document; // the working document, held open as the preview does
};

void TestSaveResults::init()
{
    m_wordFile = m_folder.filePath(u"dravik12345678.doc"_s);
    QVERIFY(test::writeBytes(m_wordFile, "{\\rtf1 schedule\\par}"));
    m_document = std::make_unique<OwnFile>(m_wordFile);
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
    const QString target = m_folder.filePath(u"week"_s); // no extension is added
    QFile::remove(target);
    if (targetExists)
        QVERIFY(test::writeBytes(target, "old"));
    if (!cancel)
        prompts.savePaths << target;
    prompts.answers = answers;

    saveResultsToWordFile(m_document.get());

    QCOMPARE(test::readBytes(target), expected);
    QCOMPARE(QFile::exists(target), targetExists || !expected.isEmpty());
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
    saveResultsToWordFile(m_document.get());
    const auto& dialog = prompts.shown().first();
    QCOMPARE(dialog.kind, Kind::SaveDialog);
    QCOMPARE(dialog.text, u"Save File"_s);
    QCOMPARE(dialog.filter, u"Word Files (*.doc);;PDF Files (*.pdf)"_s);
    QCOMPARE(dialog.selectedFilter, u"Word Files (*.doc)"_s);
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
    saveResultsToWordFile(m_document.get());
    QCOMPARE(prompts.errorReports().size(), 1);
    QVERIFY(prompts.texts(Kind::Note).isEmpty());
}

void TestSaveResults::savingOntoTheWorkingCopyKeepsIt()
{
    test::ScriptedPrompts prompts;
    prompts.savePaths << m_wordFile;
    prompts.answers << true;
    saveResultsToWordFile(m_document.get());
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
    saveResultsToWordFile(m_document.get());
    saveResultsToWordFile(m_document.get());
    QCOMPARE(test::readBytes(first), test::readBytes(m_wordFile));
    QCOMPARE(test::readBytes(second), test::readBytes(m_wordFile));
    QCOMPARE(prompts.texts(Kind::Note).size(), 2);
}

QTEST_GUILESS_MAIN(TestSaveResults)
#include "test_save_results.moc"
