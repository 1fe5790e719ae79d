// Saving the generated document: dialog, overwrite question, atomic copy, "Done.".
#include "preview/save_folder.h"
#include "preview/save_results.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_files.h"

#include <QDir>
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
    void startFolder_data();
    void startFolder();

private:
    QTemporaryDir m_folder;
    QString m_wordFile;
};

void TestSaveResults::init()
{
    m_wordFile = m_folder.filePath(u"dravik12345678.doc"_s);
    QVERIFY(test::writeBytes(m_wordFile, "{\\rtf1 schedule\\par}"));
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

    saveResultsToWordFile(m_wordFile);

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
    saveResultsToWordFile(m_wordFile);
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
    QVERIFY(QFile::remove(m_wordFile)); // nothing left to copy
    prompts.savePaths << target;
    prompts.answers << true;
    saveResultsToWordFile(m_wordFile);
    QCOMPARE(test::readBytes(target), QByteArray("precious"));
    QCOMPARE(prompts.errorReports().size(), 1);
    QVERIFY(prompts.errorReports().first().contains(u"Form2.PushButton6_Click at line 130"_s));
    QVERIFY(prompts.texts(Kind::Note).isEmpty());

    prompts.clear();
    prompts.savePaths << u"/no/such/folder/week.doc"_s;
    QVERIFY(test::writeBytes(m_wordFile, "doc"));
    saveResultsToWordFile(m_wordFile);
    QCOMPARE(prompts.errorReports().size(), 1);
    QVERIFY(prompts.texts(Kind::Note).isEmpty());
}

void TestSaveResults::savingOntoTheWorkingCopyKeepsIt()
{
    test::ScriptedPrompts prompts;
    prompts.savePaths << m_wordFile;
    prompts.answers << true;
    saveResultsToWordFile(m_wordFile);
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
    saveResultsToWordFile(m_wordFile);
    saveResultsToWordFile(m_wordFile);
    QCOMPARE(test::readBytes(first), test::readBytes(m_wordFile));
    QCOMPARE(test::readBytes(second), test::readBytes(m_wordFile));
    QCOMPARE(prompts.texts(Kind::Note).size(), 2);
    QCOMPARE(prompts.shown().at(2).folder, m_folder.path()); // beside the first save
}

void TestSaveResults::startFolder_data()
{
    QTest::addColumn<bool>("documents");  // whether home has a Documents folder
    QTest::addColumn<QString>("savedIn"); // a save of this run; empty: none
    QTest::addColumn<bool>("savedFolderRemoved");
    QTest::addColumn<QString>("expected"); // under home

    QTest::newRow("first save: Documents") << true << QString() << false << u"/Documents"_s;
    QTest::newRow("first save, no Documents: home") << false << QString() << false << QString();
    QTest::newRow("after a save: its folder")
        << true << u"/Week plans"_s << false << u"/Week plans"_s;
    QTest::newRow("that folder removed: Documents")
        << true << u"/Week plans"_s << true << u"/Documents"_s;
}

void TestSaveResults::startFolder()
{
    QFETCH(bool, documents);
    QFETCH(QString, savedIn);
    QFETCH(bool, savedFolderRemoved);
    QFETCH(QString, expected);
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.filePath(u".config"_s).toLocal8Bit());
    if (documents)
        QVERIFY(QDir(home.path()).mkdir(u"Documents"_s));
    SaveFolder folder;
    if (!savedIn.isEmpty()) {
        QVERIFY(QDir(home.path()).mkdir(savedIn.mid(1)));
        folder.saved(home.path() + savedIn + u"/week.doc"_s);
        if (savedFolderRemoved)
            QVERIFY(QDir(home.path() + savedIn).removeRecursively());
    }
    const QString start = folder.startFolder();
    qputenv("HOME", oldHome);
    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
    QCOMPARE(start, home.path() + expected);
}

QTEST_GUILESS_MAIN(TestSaveResults)
#include "test_save_results.moc"
