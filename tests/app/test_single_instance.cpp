// One running copy per user: a later start against the running copy, a copy that crashed and
// a folder where no lock can be made.
#include "app/single_instance.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

// What holds the folder when this copy starts.
enum class Holder { Nobody, RunningCopy, CrashedCopy, NoFolder };

// A stand-in for another copy of the program, in a process of its own.
class OtherCopy {
public:
    explicit OtherCopy(const QString& folder)
    {
        m_process.setProgram(QString::fromUtf8(QUILLORY_INSTANCE_HOLDER));
        m_process.setArguments({folder});
        m_process.start();
    }
    ~OtherCopy()
    {
        m_process.kill();
        m_process.waitForFinished();
    }

    /// Waits until the copy has said the word; false when it does not within five seconds.
    bool waitFor(const QByteArray& word)
    {
        QDeadlineTimer deadline(5000);
        while (!m_said.contains(word + '\n') && !deadline.hasExpired()) {
            m_process.waitForReadyRead(100);
            m_said += m_process.readAllStandardOutput();
        }
        return m_said.contains(word + '\n');
    }
    /// Ends the copy as a crash would, without any clean-up.
    void crash()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    /// Whether it ended on its own, successfully, within five seconds.
    bool endsCleanly() { return m_process.waitForFinished(5000) && m_process.exitCode() == 0; }

private:
    QProcess m_process;
    QByteArray m_said;
};

} // namespace

Q_DECLARE_METATYPE(Holder)

class TestSingleInstance : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void laterStart_data();
    void laterStart();
};

void TestSingleInstance::laterStart_data()
{
    QTest::addColumn<Holder>("holder");
    QTest::addColumn<bool>("runs"); // this copy runs; otherwise the holder comes forward

    QTest::newRow("first start") << Holder::Nobody << true;
    QTest::newRow("a copy is running") << Holder::RunningCopy << false;
    QTest::newRow("the running copy crashed") << Holder::CrashedCopy << true;
    QTest::newRow("no folder for a lock") << Holder::NoFolder << true;
}

void TestSingleInstance::laterStart()
{
    QFETCH(Holder, holder);
    QFETCH(bool, runs);
    QTemporaryDir runtime;
    const QString folder =
        holder == Holder::NoFolder ? runtime.filePath(u"missing/folder"_s) : runtime.path();
    std::optional<OtherCopy> other;
    if (holder == Holder::RunningCopy || holder == Holder::CrashedCopy) {
        other.emplace(folder);
        QVERIFY(other->waitFor("ready"));
    }
    if (holder == Holder::CrashedCopy) {
        other->crash();
        QVERIFY(!QDir(folder).isEmpty()); // its lock and socket are left behind
    }

    SingleInstance self(folder);
    QSignalSpy raised(&self, &SingleInstance::raiseRequested);
    QCOMPARE(self.claim(), runs);
    if (!runs) {
        QVERIFY(other->waitFor("raised"));
        return;
    }
    if (holder == Holder::NoFolder)
        return;
    // Now this copy is the running one: a later start ends and brings it forward.
    OtherCopy later(folder);
    QVERIFY(later.waitFor("second"));
    QVERIFY(later.endsCleanly());
    QVERIFY(raised.wait(5000));
}

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "test_single_instance.moc"
