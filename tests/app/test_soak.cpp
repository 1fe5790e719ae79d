// SPDX-License-Identifier: MIT
// Random runs of the user's commands against a model of what must be kept, through the real
// program (the soak driver), ended at random instants: SIGKILL (also in the middle of a journal
// write), SIGTERM, closing, a full disk. After a SIGKILL the next start shows the week before or
// after the last command; after any other ending exactly the last one. QUILLORY_SOAK_SECONDS
// sets how long it runs (40 by default), QUILLORY_SOAK_SEED the random seed.
#include "base/settings_format.h"
#include "homework/sample_data.h"
#include "homework/stored_form.h"
#include "tests/app/soak_model.h"
#include "tests/support/test_files.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

using namespace quillory;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

constexpr int AnswerWaitMs = 20000;
const QString InitialDate = u"2013-06-08T11:51:22"_s;

enum Ending { Kill, KillMidWrite, Term, Close, FullDisk, EndingKinds };
const char* const EndingNames[] = {"SIGKILL", "SIGKILL mid-write", "SIGTERM", "close", "full disk"};

struct Answer {
    QString status;
    int prompts = 0;
    SoakWeek week;
};

QString described(const SoakWeek& week)
{
    return u"[%1 | %2 | %3]"_s.arg(week.name, week.date, toStoredForm(week.entries))
        .replace(QString::fromUtf16(FieldSeparator), u","_s)
        .replace(QString::fromUtf16(RowSeparator), u"; "_s);
}

std::optional<Answer> parse(const QByteArray& line)
{
    const QStringList fields = QString::fromUtf8(line.chopped(line.endsWith('\n'))).split(u'\t');
    if (fields.size() != 5)
        return std::nullopt;
    return Answer{fields.at(0),
                  fields.at(1).toInt(),
                  {parseStoredForm(fields.at(4)).entries, fields.at(2), fields.at(3)}};
}

// A command for the program, and what it does to the model.
struct Planned {
    QString command;
    std::function<void(SoakModel&)> apply;
    bool takesTimeOfDay = false;
};

class Soak {
public:
    explicit Soak(quint32 seed)
        : m_random(seed)
    {
        m_model.current.date = InitialDate;
    }

    void run(qint64 seconds);
    QString figures() const;
    int mismatches() const { return m_mismatches.size(); }
    const QStringList& mismatchTexts() const { return m_mismatches; }

private:
    bool start();
    void session();
    std::optional<Answer> send(const QString& command);
    std::optional<Answer> waitForAnswer(int waitMs = AnswerWaitMs);
    Planned plan();
    bool perform(const Planned& planned);
    Planned rowCommand(const QString& verb, int row);
    void expectAnswer(const std::optional<Answer>& answer, const char* what,
                      bool takesTimeOfDay = false);
    void end();
    void killDuring();
    void expectStored();
    void checkEarlierLists();
    SoakWeek storedWeek() const;
    void mismatch(const QString& what);
    int pick(int bound) { return int(m_random.bounded(bound)); }
    // Sends the signal to the program while it runs (a process id of 0 would reach our own group).
    void signal(int number)
    {
        if (m_driver.state() == QProcess::Running && m_driver.processId() > 0)
            ::kill(pid_t(m_driver.processId()), number);
    }

    QRandomGenerator m_random;
    QTemporaryDir m_folder;
    QProcess m_driver;
    SoakModel m_model;
    int m_prompts = 0;
    bool m_midWrite = false;
    qint64 m_commands = 0;
    int m_endings[EndingKinds] = {};
    QStringList m_mismatches;
    QStringList m_recent;
    // After a SIGKILL: the models of which the next start may show the week.
    QList<SoakModel> m_allowed;
};

SoakWeek Soak::storedWeek() const
{
    const QSettings::SettingsMap values =
        readIni(readBytes(m_folder.filePath(u"Velmora/Quillory.conf"_s))).values;
    return {parseStoredForm(values.value(u"Quillory/Homework"_s).toString()).entries,
            values.value(u"Quillory/Text1_0"_s).toString(),
            values.value(u"Quillory/DateTimePicker1"_s, InitialDate).toString()};
}

void Soak::mismatch(const QString& what)
{
    m_mismatches.append(what);
    qWarning("mismatch: %s\n  after: %s", qPrintable(what), qPrintable(m_recent.join(u" / ")));
}

bool Soak::start()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"XDG_CONFIG_HOME"_s, m_folder.path());
    environment.insert(u"TEMP"_s, m_folder.path());
    environment.insert(u"QT_QPA_PLATFORM"_s, u"offscreen"_s);
    m_midWrite = pick(4) == 0;
    environment.insert(u"QUILLORY_SOAK_MIDWRITE_PERMILLE"_s, m_midWrite ? u"30"_s : u"0"_s);
    m_driver.setProcessEnvironment(environment);
    m_driver.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_recent.append(u"start"_s);
    // Read before the start, which stores the name and the date it brings back.
    const SoakWeek stored = storedWeek();
    m_driver.start(QStringLiteral(QUILLORY_SOAK_DRIVER), {});
    const std::optional<Answer> started = waitForAnswer();
    if (!started || started->status != u"started") {
        mismatch(u"the program did not start (%1, exit %2)"_s.arg(
            started ? started->status : u"no answer"_s, QString::number(m_driver.exitCode())));
        return false;
    }
    if (!m_allowed.isEmpty()) {
        m_allowed.last().settle(started->week.date);
        if (started->week == m_allowed.constFirst().current)
            m_model = m_allowed.constFirst();
        else if (started->week == m_allowed.constLast().current)
            m_model = m_allowed.constLast();
        else
            mismatch(u"a start after a SIGKILL shows neither the week before the last command "
                     u"nor the one after it"_s);
        m_model.current = started->week;
    } else if (started->week != m_model.current) {
        mismatch(u"a start shows %1, not the last week %2"_s.arg(described(started->week),
                                                                 described(m_model.current)));
    }
    m_allowed.clear();
    if (started->prompts != 0)
        mismatch(u"the start showed a message"_s);
    m_prompts = started->prompts;
    m_model.restart(started->week, stored);
    checkEarlierLists();
    // One Undo brings back what the settings hold; Redo the week brought back.
    if (started->week != stored && pick(2) == 0) {
        if (!perform({u"undo"_s, [](SoakModel& model) { model.undo(); }}))
            return false;
        if (m_model.current != stored)
            mismatch(u"Undo after a start does not bring back what the settings held"_s);
        return perform({u"redo"_s, [](SoakModel& model) { model.redo(); }});
    }
    return true;
}

std::optional<Answer> Soak::waitForAnswer(int waitMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!m_driver.canReadLine()) {
        if (m_driver.state() == QProcess::NotRunning || timer.elapsed() > waitMs)
            return std::nullopt;
        m_driver.waitForReadyRead(100);
    }
    return parse(m_driver.readLine());
}

std::optional<Answer> Soak::send(const QString& command)
{
    m_recent.append(command);
    if (m_recent.size() > 12)
        m_recent.removeFirst();
    ++m_commands;
    m_driver.write(command.toUtf8() + '\n');
    return waitForAnswer();
}

void Soak::expectAnswer(const std::optional<Answer>& answer, const char* what, bool takesTimeOfDay)
{
    if (!answer)
        return mismatch(u"no answer to %1"_s.arg(QLatin1StringView(what)));
    if (answer->prompts != m_prompts)
        mismatch(u"a message was shown at %1"_s.arg(QLatin1StringView(what)));
    m_prompts = answer->prompts;
    // The model cannot know the time of day the example week takes; it takes it as shown.
    if (takesTimeOfDay)
        m_model.settle(answer->week.date);
    if (answer->week != m_model.current)
        mismatch(u"%1 shows %2, not %3"_s.arg(QLatin1StringView(what), described(answer->week),
                                              described(m_model.current)));
}

void Soak::checkEarlierLists()
{
    m_driver.write("earliers\n");
    QElapsedTimer timer;
    timer.start();
    while (!m_driver.canReadLine() && timer.elapsed() < AnswerWaitMs &&
           m_driver.state() == QProcess::Running)
        m_driver.waitForReadyRead(100);
    if (!m_driver.canReadLine())
        return mismatch(u"no answer listing the earlier lists"_s);
    const QByteArray line = m_driver.readLine();
    QStringList shown = QString::fromUtf8(line.chopped(line.endsWith('\n'))).split(u'\t');
    shown.removeFirst();
    QStringList expected;
    for (const SoakModel::Earlier& earlier : m_model.earlier)
        expected.prepend(u"Before "_s + earlier.caption);
    // What replaced each list, without the week it holds and the time.
    static const QRegularExpression week(u"^Week of .* \u2013 b"_s);
    for (QString& text : shown) {
        text.truncate(text.lastIndexOf(u','));
        text.replace(week, u"B"_s);
    }
    if (shown != expected)
        mismatch(
            u"the earlier lists are %1, not %2"_s.arg(shown.join(u"; "), expected.join(u"; ")));
}

Planned Soak::rowCommand(const QString& verb, int row)
{
    const QString period = u"P"_s + QString::number(pick(100));
    const QString monday = u"hw "_s + QString::number(pick(100));
    const QString command = verb + u'\t' + QString::number(row) +
                            (verb == u"edit" ? u'\t' + period + u'\t' + monday : QString());
    return {command, [verb, row, period, monday](SoakModel& model) {
                SoakWeek after = model.current;
                if (verb == u"delete")
                    after.entries.removeAt(row);
                else if (verb == u"up")
                    after.entries.move(row, row - 1);
                else if (verb == u"down")
                    after.entries.move(row, row + 1);
                else
                    after.entries[row].Period = period, after.entries[row].Days[0] = monday;
                const QString caption =
                    verb == u"delete" ? u"Delete Selected Class"_s : u"Changed"_s;
                model.command(caption, after, after.entries != model.current.entries);
            }};
}

// One of the user's commands, at random, among those that can act now.
Planned Soak::plan()
{
    const int rows = int(m_model.current.entries.size());
    for (;;) {
        switch (pick(12)) {
        case 0: {
            if (rows > 30)
                continue;
            const QString period = u"P"_s + QString::number(pick(100));
            const QString monday = u"hw "_s + QString::number(pick(100));
            return {u"add\t"_s + period + u'\t' + monday, [period, monday](SoakModel& model) {
                        SoakWeek after = model.current;
                        after.entries.append(HomeworkEntry{period, {monday}});
                        model.command(u"Add Class"_s, after, true);
                    }};
        }
        case 1:
            if (rows > 0)
                return rowCommand(u"edit"_s, pick(rows));
            continue;
        case 2:
            if (rows > 0)
                return rowCommand(u"delete"_s, pick(rows));
            continue;
        case 3:
            if (rows > 1)
                return pick(2) ? rowCommand(u"up"_s, 1 + pick(rows - 1))
                               : rowCommand(u"down"_s, pick(rows - 1));
            continue;
        case 4:
            if (pick(3) != 0)
                continue;
            return {u"clear"_s, [](SoakModel& model) {
                        SoakWeek after{{}, QString(), model.current.date};
                        model.command(u"Clear/Reset Data"_s, after,
                                      !model.current.entries.isEmpty());
                    }};
        case 5:
            return {u"sample"_s,
                    [](SoakModel& model) {
                        SoakWeek after{sampleClasses(), sampleName(), SoakModel::timeOfDay()};
                        model.command(u"Load Sample/Example Data"_s, after, true);
                    },
                    true};
        case 6:
            return {u"newweek"_s, [](SoakModel& model) {
                        SoakWeek after = model.current;
                        after.date = QDateTime::fromString(after.date, Qt::ISODate)
                                         .addDays(7)
                                         .toString(Qt::ISODate);
                        for (HomeworkEntry& entry : after.entries)
                            entry.Days = {};
                        model.command(u"Start a New Week"_s, after,
                                      !model.current.entries.isEmpty());
                    }};
        case 7:
        case 8: return {u"undo"_s, [](SoakModel& model) { model.undo(); }};
        case 9: return {u"redo"_s, [](SoakModel& model) { model.redo(); }};
        case 10: {
            const bool name = pick(2) == 0;
            // Names of one length never merge as a burst of typing: each is a step of its own.
            const QString value =
                name ? u"Name "_s + QString::number(100 + pick(900))
                     : QDateTime(QDate(2000 + pick(30), 1 + pick(12), 1 + pick(28)), QTime(8, 0))
                           .toString(Qt::ISODate);
            return {(name ? u"name\t"_s : u"date\t"_s) + value, [name, value](SoakModel& model) {
                        SoakWeek after = model.current;
                        (name ? after.name : after.date) = value;
                        model.command(name ? u"Typing"_s : u"Date Change"_s, after, false);
                    }};
        }
        default:
            if (m_model.earlier.isEmpty())
                continue;
            const int index = pick(int(std::min<qsizetype>(m_model.earlier.size(), 5)));
            return {u"earlier\t"_s + QString::number(index), [index](SoakModel& model) {
                        const SoakWeek& chosen =
                            model.earlier.at(model.earlier.size() - 1 - index).week;
                        SoakWeek after = model.current;
                        after.entries = chosen.entries;
                        after.name = chosen.name;
                        after.date = chosen.date;
                        model.command(u"Restore Earlier List"_s, after,
                                      chosen.entries != model.current.entries);
                    }};
        }
    }
}

// A SIGKILL at a random instant of the next command (or the program ends itself in the middle
// of a journal write): the next start shows the week before or after it.
void Soak::killDuring()
{
    const Planned planned = plan();
    m_allowed = {m_model, m_model};
    planned.apply(m_allowed.last());
    ++m_commands;
    m_driver.write(planned.command.toUtf8() + '\n');
    m_driver.waitForBytesWritten(1000);
    QThread::usleep(unsigned(pick(30000)));
    // A command answered has reached the journal: only the week after it may show.
    if (m_driver.canReadLine() || m_driver.waitForReadyRead(0))
        m_allowed.removeFirst();
    signal(SIGKILL);
    m_driver.waitForFinished(AnswerWaitMs);
}

void Soak::expectStored()
{
    // Ended by itself in the middle of writing what it stores at the end: the settings may hold
    // the week before, and the next start must bring the last one back.
    if (m_midWrite && m_driver.exitStatus() == QProcess::CrashExit) {
        ++m_endings[KillMidWrite];
        m_allowed = {m_model};
        return;
    }
    if (storedWeek() != m_model.current)
        mismatch(u"the settings file does not hold the last week after an ending"_s);
}

void Soak::end()
{
    const int kind = pick(10);
    if (kind < 4) {
        ++m_endings[Kill];
        return killDuring();
    }
    if (kind < 6) {
        ++m_endings[Term];
        signal(SIGTERM);
        if (!m_driver.waitForFinished(AnswerWaitMs))
            mismatch(u"SIGTERM did not end the program"_s);
        return expectStored();
    }
    if (kind < 8) {
        ++m_endings[Close];
        m_driver.write("close\n");
        if (!m_driver.waitForFinished(AnswerWaitMs))
            mismatch(u"closing did not end the program"_s);
        return expectStored();
    }
    ++m_endings[FullDisk];
    expectAnswer(send(u"diskfull"_s), "a full disk");
    const std::optional<Answer> refused = send(u"close"_s);
    if (!refused || refused->status != u"refused")
        mismatch(u"closing on a full disk did not say that the classes are not stored"_s);
    m_driver.write("close\n");
    if (!m_driver.waitForFinished(AnswerWaitMs))
        mismatch(u"the second close on a full disk did not end the program"_s);
}

void Soak::session()
{
    if (!start()) {
        m_driver.kill();
        m_driver.waitForFinished();
        return;
    }
    if (m_driver.state() != QProcess::Running)
        return;
    for (int count = 1 + pick(25); count > 0; --count) {
        if (!perform(plan()))
            return;
    }
    end();
}

bool Soak::perform(const Planned& planned)
{
    const SoakModel before = m_model;
    planned.apply(m_model);
    const std::optional<Answer> answer = send(planned.command);
    if (!answer && m_midWrite && m_driver.state() == QProcess::NotRunning) {
        // Ended by itself in the middle of a journal write: as a SIGKILL during the command.
        ++m_endings[KillMidWrite];
        m_allowed = {before, m_model};
        return false;
    }
    expectAnswer(answer, qPrintable(planned.command), planned.takesTimeOfDay);
    return true;
}

void Soak::run(qint64 seconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000)
        session();
    if (start()) {
        m_driver.write("close\n");
        m_driver.waitForFinished(AnswerWaitMs);
        expectStored();
    }
}

QString Soak::figures() const
{
    QStringList endings;
    for (int kind = 0; kind < EndingKinds; ++kind)
        endings.append(u"%1 %2"_s.arg(m_endings[kind]).arg(QLatin1StringView(EndingNames[kind])));
    return u"%1 commands; endings: %2; %3 mismatches"_s.arg(m_commands)
        .arg(endings.join(u", "))
        .arg(m_mismatches.size());
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void randomCommandsAndEndingsKeepEveryWeek();
};

void TestSoak::randomCommandsAndEndingsKeepEveryWeek()
{
    const qint64 seconds = qEnvironmentVariableIsSet("QUILLORY_SOAK_SECONDS")
                               ? qEnvironmentVariableIntValue("QUILLORY_SOAK_SECONDS")
                               : 40;
    const quint32 seed = qEnvironmentVariableIsSet("QUILLORY_SOAK_SEED")
                             ? quint32(qEnvironmentVariableIntValue("QUILLORY_SOAK_SEED"))
                             : QRandomGenerator::global()->generate();
    Soak soak(seed);
    soak.run(seconds);
    qInfo("seed %u: %s", seed, qPrintable(soak.figures()));
    QVERIFY2(soak.mismatches() == 0, qPrintable(soak.mismatchTexts().join(u'\n')));
}

QTEST_GUILESS_MAIN(TestSoak)
#include "test_soak.moc"
