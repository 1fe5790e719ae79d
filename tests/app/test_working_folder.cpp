// SPDX-License-Identifier: MIT
// Working files in a folder that others can write to: what a run shows and what it leaves on
// disk when someone planted files there first or swaps them later, which folder it works in,
// and what is left when the program is made to end.
#include "app/form1.h"
#include "base/file_system.h"
#include "base/settings_store.h"
#include "base/working_folder.h"
#include "document/automation/application_starter.h"
#include "document/layout/fonts.h"
#include "document/rtf/rtf_reader.h"
#include "preview/form2.h"
#include "preview/picture_area.h"
#include "preview/schedule_printing.h"
#include "resources/schedule_template.h"
#include "tests/support/failure_status.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/other_user.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/test_entries.h"
#include "tests/support/test_files.h"
#include "tests/support/window_controls.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

// Where the run is told to work: TEMP, or else the runtime folder in one of its states.
enum class Setting { Temp, Runtime, NoRuntime, MissingRuntime, OpenRuntime };
// What was there before the run; "ByUser" rows plant as a real second user, who swaps the
// working document in the "Swap" rows once the preview shows it.
enum class Plant {
    Nothing,
    OwnLeftover,
    OwnUnrelated,
    OthersCopy,
    OthersCopyByUser,
    LinkToPrivate,
    HardLinkToPrivate,
    SnapshotUnrendered,
    SnapshotReplaced,
    SnapshotByUser,
    SquattedFolder,
    SquattedFolderByUser,
    SwapBeforeSave,
    SwapBeforePdf,
    SwapBeforePrint,
};
// The folder the working document should land in.
enum class Used { Shared, Runtime, FreshPrivate };

uint modeOf(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

QByteArray templateWithTitle(const char* title)
{
    QByteArray bytes = templateBytes();
    return bytes.replace("Homework for", title);
}

QByteArray redPicture()
{
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QString titleOf(const QString& rtfPath)
{
    const auto document = doc::readRtf(readBytes(rtfPath)).document;
    if (!document || document->body.empty())
        return {};
    return std::get<doc::Paragraph>(document->body.front()).text();
}

bool isSwap(Plant plant)
{
    return plant == Plant::SwapBeforeSave || plant == Plant::SwapBeforePdf ||
           plant == Plant::SwapBeforePrint;
}

bool needsOtherUser(Plant plant)
{
    return plant == Plant::OthersCopyByUser || plant == Plant::SnapshotByUser ||
           plant == Plant::SquattedFolderByUser || isSwap(plant);
}

} // namespace

Q_DECLARE_METATYPE(Setting)
Q_DECLARE_METATYPE(Plant)
Q_DECLARE_METATYPE(Used)

class TestWorkingFolder : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void plantedFilesAndFolders_data();
    void plantedFilesAndFolders();
    void endedProcessLeavesNoWorkingFile_data();
    void endedProcessLeavesNoWorkingFile();

private:
    void applySetting(Setting setting);
    void plant(Plant plant);
    void swapAndUse(Plant plant);
    void plantFile(const QString& path, const QByteArray& bytes, bool byUser);
    void startEnginesWatchingModes(bool failSnapshot);
    QString usedFolder(Used used) const;

    std::unique_ptr<OtherUser> m_otherUser;
    std::unique_ptr<OtherUser> m_actingUser; // runs the program where root may do too much
    QString m_actingHolder;                  // the program's copy the acting user can run
    std::unique_ptr<IsolatedSettings> m_settings;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<Form1> m_form;
    std::unique_ptr<QTemporaryDir> m_shared;  // TEMP, or the platform's temporary folder
    std::unique_ptr<QTemporaryDir> m_runtime; // XDG_RUNTIME_DIR
    std::unique_ptr<QTemporaryDir> m_private; // a private file of the user's
    QString m_plantedPath;
    QMap<QString, uint> m_modesSeen; // every working file's mode whenever an engine started
    mode_t m_umask = 0;
};

void TestWorkingFolder::initTestCase()
{
    doc::installFontSubstitutions();
    m_otherUser = std::make_unique<OtherUser>();
    m_actingUser = std::make_unique<OtherUser>(u"a"_s);
    if (!m_otherUser->exists() || !m_actingUser->exists())
        qInfo("Not root or no useradd: rows that plant as a real second user are skipped.");
    else
        m_actingHolder = m_actingUser->reachableCopy(QStringLiteral(QUILLORY_ENDING_HOLDER));
    // With no umask, a file not made private on purpose would show up as 0666.
    m_umask = ::umask(0);
}

void TestWorkingFolder::cleanupTestCase()
{
    ::umask(m_umask);
    m_otherUser.reset();
    m_actingUser.reset();
}

void TestWorkingFolder::init()
{
    m_settings = std::make_unique<IsolatedSettings>();
    m_prompts = std::make_unique<ScriptedPrompts>();
    m_shared = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/shared-XXXXXX"_s);
    m_runtime = std::make_unique<QTemporaryDir>();
    m_private = std::make_unique<QTemporaryDir>();
    // A folder like /tmp: everyone may add files, only owners may remove them.
    QVERIFY(::chmod(QFile::encodeName(m_shared->path()).constData(), 01777) == 0);
    QVERIFY(::chmod(QFile::encodeName(m_runtime->path()).constData(), 0700) == 0);
    m_modesSeen.clear();
    // A picture left there by an earlier run would become the snapshot of a failed render.
    QGuiApplication::clipboard()->clear();
    test::require(SaveSetting(u"Text1_0"_s, u"Dana"_s));
    m_form =
        std::make_unique<Form1>(HomePageCall{[] { return 1; }, [](const QUrl&) { return true; }});
    QVERIFY(m_form->Form_Load());
    m_form->classList().append(entry(u"1. Math"_s, {u"p. 12"_s}));
    m_form->showCentred();
}

void TestWorkingFolder::cleanup()
{
    m_form.reset();
    m_prompts.reset();
    doc::setApplicationStarter({});
    setPrintDialogRunner({});
    setOwnerCheck({});
    qunsetenv("TEMP");
    qunsetenv("TMPDIR");
    qunsetenv("XDG_RUNTIME_DIR");
}

void TestWorkingFolder::applySetting(Setting setting)
{
    qunsetenv("TEMP");
    qputenv("TMPDIR", m_shared->path().toLocal8Bit());
    qunsetenv("XDG_RUNTIME_DIR");
    switch (setting) {
    case Setting::Temp: qputenv("TEMP", m_shared->path().toLocal8Bit()); break;
    case Setting::Runtime: qputenv("XDG_RUNTIME_DIR", m_runtime->path().toLocal8Bit()); break;
    case Setting::NoRuntime: break;
    case Setting::MissingRuntime: qputenv("XDG_RUNTIME_DIR", "/nonexistent/run/user"); break;
    case Setting::OpenRuntime:
        QVERIFY(::chmod(QFile::encodeName(m_runtime->path()).constData(), 0777) == 0);
        qputenv("XDG_RUNTIME_DIR", m_runtime->path().toLocal8Bit());
        break;
    }
}

void TestWorkingFolder::plantFile(const QString& path, const QByteArray& bytes, bool byUser)
{
    m_plantedPath = path;
    if (!byUser) {
        QVERIFY(writeBytes(path, bytes));
        return;
    }
    const QString source = joinPath(m_shared->path(), u"source"_s);
    QVERIFY(writeBytes(source, bytes));
    QVERIFY(QFile::setPermissions(source, QFile::ReadOwner | QFile::ReadOther));
    QVERIFY(m_otherUser->run(u"cp '%1' '%2'"_s.arg(source, path)));
    QVERIFY(QFile::remove(source));
}

void TestWorkingFolder::plant(Plant plant)
{
    const QString copy = joinPath(m_shared->path(), u"template.dot"_s);
    const QString secret = joinPath(m_private->path(), u"diary.rtf"_s);
    QVERIFY(writeBytes(secret, templateWithTitle("SECRET diary of")));
    // What the owner check counts as someone else's is the planted file or folder.
    const auto treatPlantedAsOthers = [this] {
        const FileIdentity planted = *identityAt(m_plantedPath);
        setOwnerCheck([planted](uint owner, const FileIdentity& file) {
            return owner == ::getuid() && !(file == planted);
        });
    };
    const bool byUser = needsOtherUser(plant);
    switch (plant) {
    case Plant::Nothing: return;
    case Plant::OwnLeftover: return plantFile(copy, templateBytes(), false);
    case Plant::OwnUnrelated: return plantFile(copy, templateWithTitle("Chores for"), false);
    case Plant::OthersCopy:
    case Plant::OthersCopyByUser:
        plantFile(copy, templateWithTitle("Injected for"), byUser);
        return byUser ? void() : treatPlantedAsOthers();
    case Plant::LinkToPrivate:
        m_plantedPath = copy;
        QVERIFY(QFile::link(secret, copy));
        return;
    case Plant::HardLinkToPrivate:
        m_plantedPath = copy;
        QVERIFY(::link(QFile::encodeName(secret).constData(),
                       QFile::encodeName(copy).constData()) == 0);
        return;
    case Plant::SnapshotUnrendered:
    case Plant::SnapshotReplaced:
    case Plant::SnapshotByUser:
        return plantFile(joinPath(m_shared->path(), u"temp.bmp"_s), redPicture(), byUser);
    case Plant::SquattedFolder:
    case Plant::SquattedFolderByUser:
        // The name a private folder used to have: predictable, so anyone could take it first.
        m_plantedPath = joinPath(m_shared->path(), u"quillory-%1"_s.arg(::getuid()));
        if (byUser)
            QVERIFY(m_otherUser->run(u"mkdir -m 0700 '%1'"_s.arg(m_plantedPath)));
        else
            QVERIFY(QDir().mkdir(m_plantedPath));
        return byUser ? void() : treatPlantedAsOthers();
    case Plant::SwapBeforeSave:
    case Plant::SwapBeforePdf:
    case Plant::SwapBeforePrint:
        // Without the sticky bit anyone may rename a file over anyone else's.
        QVERIFY(::chmod(QFile::encodeName(m_shared->path()).constData(), 0777) == 0);
        return;
    }
}

// The other user renames a schedule of their own over the working document; the preview
// still saves, renders and prints the schedule it shows, and leaves the other's file alone.
void TestWorkingFolder::swapAndUse(Plant plant)
{
    const bool asPdf = plant != Plant::SwapBeforeSave;
    if (asPdf && !test::pdf::toolsInstalled())
        QSKIP("poppler-utils is not installed; the PDFs cannot be read back");
    Form2& preview = *m_form->preview();
    const QString working = preview.wordFile();
    const QByteArray ours = readBytes(working);
    plantFile(joinPath(m_shared->path(), u"theirs.rtf"_s), templateWithTitle("Injected for"), true);
    QVERIFY(m_otherUser->run(u"mv '%1' '%2'"_s.arg(m_plantedPath, working)));
    const QByteArray theirs = readBytes(working);
    QVERIFY(theirs.contains("Injected for"));
    const QString target = joinPath(m_private->path(), asPdf ? u"week.pdf"_s : u"week.doc"_s);
    m_prompts->savePaths << target;
    switch (plant) {
    case Plant::SwapBeforeSave: preview.PushButton6_Click(); break;
    case Plant::SwapBeforePdf: preview.mnuSavePdf_Click(); break;
    default:
        setPrintDialogRunner([target](QPrinter& printer, int, QWidget*) {
            printer.setOutputFileName(target);
            return true;
        });
        preview.mnuPrint_Click();
    }
    QCOMPARE(m_prompts->errorReports(), QStringList());
    if (asPdf)
        QVERIFY(test::pdf::text(target).startsWith(u"Homework for Dana"_s));
    else
        QCOMPARE(readBytes(target), ours);

    QTest::mouseClick(Form2Controls(preview).PushButton8, Qt::LeftButton);
    QCOMPARE(readBytes(working), theirs);
    QCOMPARE(QDir(m_shared->path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QFileInfo(working).fileName()});
}

void TestWorkingFolder::startEnginesWatchingModes(bool failSnapshot)
{
    auto starts = std::make_shared<int>(0);
    doc::setApplicationStarter([this, starts, failSnapshot]() -> std::unique_ptr<doc::Application> {
        // The template copy exists at the first start, the working document at the second.
        const QString folder = TempFolder();
        for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
            m_modesSeen.insert(name, modeOf(joinPath(folder, name)));
        if (++*starts == 2 && failSnapshot)
            throw Failure(Failure::Unavailable, u"The snapshot engine is broken."_s);
        return std::make_unique<doc::Application>();
    });
}

QString TestWorkingFolder::usedFolder(Used used) const
{
    switch (used) {
    case Used::Shared: return m_shared->path();
    case Used::Runtime: return m_runtime->path();
    case Used::FreshPrivate: break;
    }
    QStringList made =
        QDir(m_shared->path()).entryList({u"quillory-??????"_s}, QDir::Dirs | QDir::Hidden);
    made.removeAll(QFileInfo(m_plantedPath).fileName());
    return made.size() == 1 ? joinPath(m_shared->path(), made.first()) : QString();
}

void TestWorkingFolder::plantedFilesAndFolders_data()
{
    QTest::addColumn<Setting>("setting");
    QTest::addColumn<Plant>("planted");
    QTest::addColumn<Used>("used");
    QTest::addColumn<QString>("title");       // of the schedule shown; empty: none is shown
    QTest::addColumn<QString>("firstReport"); // empty: nothing is reported
    QTest::addColumn<bool>("plantedStays");   // the planted file or folder is left as it was

    const QString ours = u"Homework for Dana"_s;
    // Reported once; the schedule is made all the same.
    const auto refused = [](const QString& why) -> QString {
        return why + u" It is left untouched; this schedule is made from a private copy of the "
                     u"template.\r\nin Brackwater2021/08/31.Form1.PushButton6_Click at line 108"_s;
    };
    const QString notOwn = u"; only a file of your own is used."_s;
    QTest::newRow("nothing there")
        << Setting::Temp << Plant::Nothing << Used::Shared << ours << QString() << false;
    QTest::newRow("own leftover copy: used and deleted")
        << Setting::Temp << Plant::OwnLeftover << Used::Shared << ours << QString() << false;
    QTest::newRow("own unrelated template.dot")
        << Setting::Temp << Plant::OwnUnrelated << Used::Shared << ours
        << refused(u"is not a template copy this program wrote; only such a copy is used."_s)
        << true;
    QTest::newRow("another user's copy")
        << Setting::Temp << Plant::OthersCopy << Used::Shared << ours
        << refused(u"belongs to another user"_s + notOwn) << true;
    QTest::newRow("another user's copy, real user")
        << Setting::Temp << Plant::OthersCopyByUser << Used::Shared << ours
        << refused(u"belongs to another user"_s + notOwn) << true;
    QTest::newRow("link to a private file") << Setting::Temp << Plant::LinkToPrivate << Used::Shared
                                            << ours << refused(u"is a link"_s + notOwn) << true;
    QTest::newRow("hard link to a private file")
        << Setting::Temp << Plant::HardLinkToPrivate << Used::Shared << ours
        << refused(u"has another name (a hard link)"_s + notOwn) << true;
    QTest::newRow("planted snapshot, none rendered")
        << Setting::Temp << Plant::SnapshotUnrendered << Used::Shared << QString()
        << u"The snapshot engine is broken.\r\nin Brackwater2021/08/31.Form1.SaveDocAsJPG at "
           u"line 116"_s
        << true;
    QTest::newRow("planted snapshot, replaced")
        << Setting::Temp << Plant::SnapshotReplaced << Used::Shared << ours << QString() << false;
    QTest::newRow("planted snapshot, real user")
        << Setting::Temp << Plant::SnapshotByUser << Used::Shared << ours << QString() << false;
    QTest::newRow("swapped before saving")
        << Setting::Temp << Plant::SwapBeforeSave << Used::Shared << ours << QString() << false;
    QTest::newRow("swapped before Save as PDF")
        << Setting::Temp << Plant::SwapBeforePdf << Used::Shared << ours << QString() << false;
    QTest::newRow("swapped before printing to a file")
        << Setting::Temp << Plant::SwapBeforePrint << Used::Shared << ours << QString() << false;
    QTest::newRow("squatted private folder") << Setting::NoRuntime << Plant::SquattedFolder
                                             << Used::FreshPrivate << ours << QString() << true;
    QTest::newRow("squatted private folder, real user")
        << Setting::NoRuntime << Plant::SquattedFolderByUser << Used::FreshPrivate << ours
        << QString() << true;
    QTest::newRow("runtime folder")
        << Setting::Runtime << Plant::Nothing << Used::Runtime << ours << QString() << false;
    QTest::newRow("unset runtime folder")
        << Setting::NoRuntime << Plant::Nothing << Used::FreshPrivate << ours << QString() << false;
    QTest::newRow("missing runtime folder") << Setting::MissingRuntime << Plant::Nothing
                                            << Used::FreshPrivate << ours << QString() << false;
    QTest::newRow("runtime folder open to others")
        << Setting::OpenRuntime << Plant::Nothing << Used::FreshPrivate << ours << QString()
        << false;
}

void TestWorkingFolder::plantedFilesAndFolders()
{
    QFETCH(Setting, setting);
    QFETCH(Plant, planted);
    QFETCH(Used, used);
    QFETCH(QString, title);
    QFETCH(QString, firstReport);
    QFETCH(bool, plantedStays);
    if (needsOtherUser(planted) && !m_otherUser->exists())
        QSKIP("needs root and useradd for a real second user");
    applySetting(setting);
    plant(planted);
    if (QTest::currentTestFailed())
        return;
    const QByteArray plantedBefore = readBytes(m_plantedPath);
    const bool plantedIsFolder = QFileInfo(m_plantedPath).isDir();
    startEnginesWatchingModes(planted == Plant::SnapshotUnrendered);

    QTest::mouseClick(Form1Controls(*m_form).PushButton6, Qt::LeftButton);

    // What is shown: the preview with this run's schedule, or the main window and a report.
    const QStringList reports = m_prompts->errorReports();
    QCOMPARE(reports.isEmpty() ? QString()
                               : reports.first().section(u"\r\r"_s, 0, 0).right(firstReport.size()),
             firstReport);
    const Form2* preview = m_form->preview();
    const bool shown = preview && preview->isVisible();
    QCOMPARE(shown, !title.isEmpty());
    QCOMPARE(m_form->isVisible(), !shown);
    const QString folder = usedFolder(used);
    QVERIFY2(!folder.isEmpty(), "no fresh private folder was made");
    if (used == Used::FreshPrivate)
        QCOMPARE(modeOf(folder), 0700u);

    // What is on disk: this run's working document alone, readable by the user only.
    QStringList left = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    if (shown) {
        QCOMPARE(QFileInfo(preview->wordFile()).absolutePath(), folder);
        QVERIFY(titleOf(preview->wordFile()).startsWith(title));
        QCOMPARE(modeOf(preview->wordFile()), 0600u);
        QCOMPARE(Form2Controls(*preview).Picture1->picture()->extent().width(), 13680.0);
        left.removeOne(QFileInfo(preview->wordFile()).fileName());
    }
    if (plantedStays && QFileInfo(m_plantedPath).absolutePath() == folder)
        left.removeOne(QFileInfo(m_plantedPath).fileName());
    QCOMPARE(left, QStringList());
    for (auto seen = m_modesSeen.cbegin(); seen != m_modesSeen.cend(); ++seen) {
        if (seen.key() != QFileInfo(m_plantedPath).fileName())
            QCOMPARE(seen.value(), 0600u);
    }
    if (plantedStays) {
        QCOMPARE(QFileInfo(m_plantedPath).isDir(), plantedIsFolder);
        QCOMPARE(readBytes(m_plantedPath), plantedBefore);
    }
    if (isSwap(planted))
        swapAndUse(planted);
}

void TestWorkingFolder::endedProcessLeavesNoWorkingFile_data()
{
    QTest::addColumn<bool>("foreignSnapshot"); // another user's temp.bmp in the sticky folder
    QTest::newRow("SIGTERM during the run") << false;
    // Run as a user who is not root, who may not replace the other's file.
    QTest::newRow("another user's temp.bmp, SIGTERM during the run") << true;
}

// A real process, started as the executable starts, ended by the signal.
void TestWorkingFolder::endedProcessLeavesNoWorkingFile()
{
    QFETCH(bool, foreignSnapshot);
    if (foreignSnapshot && !m_actingUser->exists())
        QSKIP("needs root and useradd for two real users");
    if (foreignSnapshot && m_actingHolder.isEmpty())
        QSKIP("the second user cannot run a copy of the program in the temporary folder");
    const QString snapshot = joinPath(m_shared->path(), u"temp.bmp"_s);
    if (foreignSnapshot)
        plantFile(snapshot, redPicture(), true);
    QTemporaryDir home; // settings, the running-copy lock, and an xdg-open that does nothing
    const mode_t homeMode = foreignSnapshot ? 0777 : 0700;
    QVERIFY(::chmod(QFile::encodeName(home.path()).constData(), homeMode) == 0);
    QVERIFY(writeBytes(home.filePath(u"xdg-open"_s), "#!/bin/sh\n"));
    QVERIFY(::chmod(QFile::encodeName(home.filePath(u"xdg-open"_s)).constData(), 0755) == 0);
    // A process that hangs is killed by `timeout`, which runuser would not pass a kill on to.
    QStringList command{u"timeout"_s, u"-s"_s, u"KILL"_s, u"50"_s, u"env"_s};
    command << u"TEMP="_s + m_shared->path() << u"XDG_CONFIG_HOME="_s + home.path()
            << u"XDG_RUNTIME_DIR="_s + home.path() << u"QT_QPA_PLATFORM=offscreen"_s
            << u"PATH=%1:%2"_s.arg(home.path(), qEnvironmentVariable("PATH"))
            << (foreignSnapshot ? m_actingHolder : QStringLiteral(QUILLORY_ENDING_HOLDER));
    if (foreignSnapshot)
        command = QStringList{u"runuser"_s, u"-u"_s, m_actingUser->name(), u"--"_s} + command;
    QProcess holder;
    holder.start(command.takeFirst(), command);
    QVERIFY(holder.waitForFinished(60000));
    QCOMPARE(holder.exitCode(), 0);
    // The preview was shown, and its document is gone with everything else of the run.
    const QString shown = QString::fromLocal8Bit(holder.readAllStandardOutput()).trimmed();
    QCOMPARE(QFileInfo(shown).absolutePath(), m_shared->path());
    QCOMPARE(QDir(m_shared->path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             foreignSnapshot ? QStringList{u"temp.bmp"_s} : QStringList());
    if (foreignSnapshot)
        QCOMPARE(readBytes(snapshot), redPicture());
}

QTEST_MAIN(TestWorkingFolder)
#include "test_working_folder.moc"
