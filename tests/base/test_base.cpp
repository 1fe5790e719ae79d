// SPDX-License-Identifier: MIT
// The services every procedure leans on: error report, guarded steps, settings, files.
#include "base/app_title.h"
#include "base/error_report.h"
#include "base/failure.h"
#include "base/file_system.h"
#include "base/guarded_procedure.h"
#include "base/settings_format.h"
#include "base/settings_store.h"
#include "tests/support/faulty_file_layer.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/scripted_prompts.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace quillory;
using namespace Qt::StringLiterals;
using Kind = test::ScriptedPrompts::Kind;

class TestBase : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void errorTextIsExact();
    void guardedStepsReportAndGoOn();
    void failureInCalleeCarriesCallersStep();
    void applicationTitle_data();
    void applicationTitle();
    void settingsRoundTrip_data();
    void settingsRoundTrip();
    void settingsDefaultWhenMissing();
    void failedSettingsWriteFailsAndKeepsOldFile();
    void damagedSettingsFileKeepsKeysAndACopy();
    void fileExists_data();
    void fileExists();
    void writeBytesNeverOverwritesNorFollowsLinks();
    void replaceFileAtomicallyReplacesLinkNotTarget();
    void streamedReplaceKeepsTheOldFileUntilWhole_data();
    void streamedReplaceKeepsTheOldFileUntilWhole();
};

void TestBase::errorTextIsExact()
{
    const QString text =
        errorReportText(u"Disk full"_s, procedureLocation({u"Form1", u"Form_Load"}), 164);
    QCOMPARE(text, u"Disk full\r\nin Brackwater2021/08/31.Form1.Form_Load at line 164\r\r"
                   u"Please email screenshot of this message to support@velmora.example"_s);
    QCOMPARE(text.count(u'\n'), 1);
    QCOMPARE(displayedReportText(text).split(u'\n').size(), 4); // three lines, one empty between
    QVERIFY(!displayedReportText(text).contains(u'\r'));
}

void TestBase::guardedStepsReportAndGoOn()
{
    test::ScriptedPrompts prompts;
    GuardedProcedure procedure({u"Form2", u"picture1_MouseMove"});
    QStringList ran;
    procedure.step(100, [&] { ran << u"100"_s; });
    QVERIFY(!procedure.step(102, [] { throw Failure(Failure::SystemError, u"first"_s); }));
    procedure.step(104, [&] { ran << u"104"_s; });
    QVERIFY(!procedure.step(106, [] { throw Failure(Failure::NotFound, u"second"_s); }));
    // A fault of the program is no failure for the user to read, and nothing goes on past it.
    QVERIFY_THROWS_EXCEPTION(std::out_of_range,
                             procedure.step(108, [] { throw std::out_of_range("a fault"); }));
    const std::optional<int> value = procedure.result(110, [] { return 7; });
    QCOMPARE(value, std::optional<int>(7));
    QVERIFY(!procedure.result(112, []() -> int { throw Failure(Failure::SystemError, u"third"_s); })
                 .has_value());

    QCOMPARE(ran, (QStringList{u"100"_s, u"104"_s}));
    QCOMPARE(procedure.failures(), 3);
    const QStringList reports = prompts.errorReports();
    QCOMPARE(reports.size(), 3);
    QVERIFY(reports[0].startsWith(
        u"first\r\nin Brackwater2021/08/31.Form2.picture1_MouseMove at line 102\r\r"_s));
    QVERIFY(reports[1].startsWith(u"second\r\n"_s));
    QVERIFY(reports[1].contains(u"at line 106"_s));
    QVERIFY(reports[2].startsWith(u"third\r\n"_s));
    QCOMPARE(prompts.shown().first().icon, ReportIcon::Warning);
}

void TestBase::failureInCalleeCarriesCallersStep()
{
    test::ScriptedPrompts prompts;
    const auto unguardedHelper = [](int depth) {
        if (depth > 0)
            throw Failure(Failure::SystemError, u"deep down"_s);
    };
    GuardedProcedure procedure({u"Form3", u"Form_Load"}, ReportIcon::None);
    procedure.step(106, [&] { unguardedHelper(3); });
    QCOMPARE(prompts.shown().size(), 1);
    QCOMPARE(prompts.shown().first().icon, ReportIcon::None);
    QVERIFY(prompts.shown().first().text.contains(u"Form3.Form_Load at line 106"_s));
}

void TestBase::applicationTitle_data()
{
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one word stays whole") << u"Quillory"_s << u"Quillory"_s;
    QTest::newRow("last word always goes") << u"Quillory Homework"_s << u"Quillory"_s;
    QTest::newRow("cut to 40") << u"Quillory weekly homework planner for diligent students"_s
                               << u"Quillory weekly homework planner for"_s;
    QTest::newRow("long single word") << QString(50, u'x') << QString(50, u'x');
}

void TestBase::applicationTitle()
{
    QFETCH(QString, product);
    QFETCH(QString, expected);
    QCOMPARE(shortApplicationTitle(product), expected);
}

void TestBase::settingsRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << u"Dana Whitlow"_s;
    QTest::newRow("blanks kept") << u"  spaced  "_s;
    QTest::newRow("empty") << QString();
    QTest::newRow("line breaks") << u"a\nb\r\nc\rd"_s;
    QTest::newRow("ini specials") << u"a, b; c = d \"q\" [x] @start #no"_s;
    QTest::newRow("leading at") << u"@Invalid()"_s;
    QTest::newRow("non-ASCII") << u"Zoë Łukasz 日本語 😀 שלום"_s;
    QTest::newRow("backslashes") << u"C:\\temp\\x \\\\ \\n"_s;
}

void TestBase::settingsRoundTrip()
{
    QFETCH(QString, value);
    test::IsolatedSettings isolated;
    QVERIFY(SaveSetting(u"Text1_0"_s, value));
    QCOMPARE(GetSetting(u"Text1_0"_s, u"default"_s), value);
    // Written at once, not at exit; read back from the file itself, past QSettings' cache.
    QFile file(isolated.filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const IniContent onDisk = readIni(file.readAll());
    QCOMPARE(onDisk.values.value(u"Quillory/Text1_0"_s).toString(), value);
}

void TestBase::settingsDefaultWhenMissing()
{
    test::IsolatedSettings isolated;
    QCOMPARE(GetSetting(u"Homework"_s, QString()), QString());
    QCOMPARE(GetSetting(u"Homework"_s, u"fallback"_s), u"fallback"_s);
}

void TestBase::failedSettingsWriteFailsAndKeepsOldFile()
{
    test::IsolatedSettings isolated;
    QVERIFY(SaveSetting(u"Text1_0"_s, u"kept"_s));
    QFile old(isolated.filePath());
    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray before = old.readAll();
    old.close();
    // A folder where the new file's temporary sibling would go makes every write fail, even
    // for root: stand in the way of the file itself instead of relying on permissions.
    QVERIFY(QFile::rename(isolated.filePath(), isolated.filePath() + u".bak"_s));
    QVERIFY(QDir().mkpath(isolated.filePath()));
    QVERIFY(!SaveSetting(u"Text1_0"_s, u"lost?"_s));
    QVERIFY(QDir().rmdir(isolated.filePath()));
    QVERIFY(QFile::rename(isolated.filePath() + u".bak"_s, isolated.filePath()));
    QFile after(isolated.filePath());
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
    QCOMPARE(QDir(isolated.folder() + u"/Velmora"_s).entryList(QDir::Files).size(), 1);
}

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void damageFile(const QString& path, const QByteArray& bytes, int secondsLater)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    // A new modification time, or QSettings would trust what it read before.
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(secondsLater),
                             QFileDevice::FileModificationTime));
}

} // namespace

void TestBase::damagedSettingsFileKeepsKeysAndACopy()
{
    test::IsolatedSettings isolated;
    QVERIFY(SaveSetting(u"Homework"_s, u"first"_s));
    const QByteArray damaged = "[Quillory]\r\nText1_0=Dana\r\n\x01\x02 left by a crash\r\n"
                               "DateTimePicker1=2024-05-06\r\n";
    damageFile(isolated.filePath(), damaged, 10);
    QCOMPARE(GetSetting(u"Text1_0"_s, QString()), u"Dana"_s);
    QCOMPARE(GetSetting(u"DateTimePicker1"_s, QString()), u"2024-05-06"_s);

    QVERIFY(SaveSetting(u"Homework"_s, u"h"_s));
    const QString copy = isolated.filePath() + u".damaged"_s;
    QCOMPARE(fileBytes(copy), damaged);
    QCOMPARE(fileBytes(isolated.filePath()),
             QByteArray("[Quillory]\nDateTimePicker1=2024-05-06\nHomework=h\nText1_0=Dana\n"));
    // The file is whole again: no further copies.
    QVERIFY(SaveSetting(u"Text1_0"_s, u"Dan"_s));
    QVERIFY(!QFile::exists(copy + u".2"_s));

    // A second damage gets a copy of its own; the first copy stays as it was.
    const QByteArray again = "[Quillory\nText1_0=Dana\n";
    damageFile(isolated.filePath(), again, 20);
    QVERIFY(SaveSetting(u"Text1_0"_s, u"Da"_s));
    QCOMPARE(fileBytes(copy), damaged);
    QCOMPARE(fileBytes(copy + u".2"_s), again);
}

void TestBase::fileExists_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("exists");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("missing") << u"/no/such/folder/file.txt"_s << false;
    QTest::newRow("embedded NUL") << u"/tmp\0/x"_s << false;
    QTest::newRow("through a file") << QCoreApplication::applicationFilePath() + u"/x"_s << false;
    QTest::newRow("program") << QCoreApplication::applicationFilePath() << true;
    QTest::newRow("folder") << QDir::tempPath() << true;
}

void TestBase::fileExists()
{
    QFETCH(QString, path);
    QFETCH(bool, exists);
    QCOMPARE(FileExists(path), exists);
}

void TestBase::writeBytesNeverOverwritesNorFollowsLinks()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(u"template.dot"_s);
    QVERIFY(WriteBytesToFile("first", path));
    QVERIFY(WriteBytesToFile("second", path));
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray("first"));

    // A dangling link planted at the path must not make us write its target.
    const QString planted = folder.filePath(u"planted.dot"_s);
    const QString target = folder.filePath(u"victim"_s);
    QVERIFY(QFile::link(target, planted));
    QVERIFY(!WriteBytesToFile("evil", planted));
    QVERIFY(!QFile::exists(target));

    QVERIFY(!WriteBytesToFile("x", u"/no/such/folder/t.dot"_s));
}

void TestBase::replaceFileAtomicallyReplacesLinkNotTarget()
{
    QTemporaryDir folder;
    const QString target = folder.filePath(u"victim"_s);
    const QString path = folder.filePath(u"temp.bmp"_s);
    QFile victim(target);
    QVERIFY(victim.open(QIODevice::WriteOnly));
    victim.write("precious");
    victim.close();
    QVERIFY(QFile::link(target, path));
    QVERIFY(replaceFileAtomically(path, "picture"));
    QVERIFY(!QFileInfo(path).isSymLink());
    QVERIFY(victim.open(QIODevice::ReadOnly));
    QCOMPARE(victim.readAll(), QByteArray("precious"));
    QVERIFY(!replaceFileAtomically(u"/no/such/folder/x"_s, "x"));

    // A replaced file keeps its permissions; a new one gets what the umask allows.
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther));
    QVERIFY(replaceFileAtomically(path, "again"));
    QCOMPARE(QFile::permissions(path), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                           QFile::WriteUser | QFile::ReadOther);
    const QString fresh = folder.filePath(u"fresh.doc"_s);
    QVERIFY(replaceFileAtomically(fresh, "new"));
    QVERIFY(QFile::permissions(fresh) & QFile::ReadOwner);
    QVERIFY(QFile::permissions(fresh) & QFile::WriteOwner);
    QCOMPARE(QDir(folder.path()).entryList({u".quillory-*"_s}, QDir::Hidden | QDir::Files).size(),
             0);
}

void TestBase::streamedReplaceKeepsTheOldFileUntilWhole_data()
{
    QTest::addColumn<int>("failingPiece"); // -1: none fails
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("every piece written") << -1 << QByteArray("{\\rtf1 one two}");
    QTest::newRow("the first piece refused") << 0 << QByteArray("old");
    QTest::newRow("a later piece refused") << 2 << QByteArray("old");
}

// Pieces land in order; when one cannot be written the old file stays and no piece is left.
void TestBase::streamedReplaceKeepsTheOldFileUntilWhole()
{
    QFETCH(int, failingPiece);
    QFETCH(QByteArray, content);
    QTemporaryDir folder;
    const QString path = folder.filePath(u"dravik12345678.doc"_s);
    QVERIFY(replaceFileAtomically(path, "old"));
    test::FaultyFileLayer disk;
    const auto write = [&](const FileAppender& append) {
        const QByteArrayView pieces[] = {"{\\rtf1", " one", " two", "}"};
        for (int i = 0; i < 4; ++i) {
            disk.bytesLeft = i == failingPiece ? 1 : -1;
            append(pieces[i]);
        }
    };
    QCOMPARE(replaceFileAtomically(path, write, Durability::Synced, disk).ok(), failingPiece < 0);
    QFile written(path);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), content);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Hidden | QDir::Files).size(), 1);
}

QTEST_GUILESS_MAIN(TestBase)
#include "test_base.moc"
