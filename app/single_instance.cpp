// SPDX-License-Identifier: MIT

#include "app/single_instance.h"

#include "app/ending_requests.h"
#include "base/file_lock.h"
#include "base/file_system.h"
#include "base/working_folder.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QThread>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// How long a later start waits for a holder that neither answers nor ends. A holder that is
// ending renews the wait each time it says so.
constexpr int SilenceLimitMs = 10000;
constexpr int ConnectWaitMs = 200;
constexpr int AnswerWaitMs = 500;
constexpr int RetryPauseMs = 50;

constexpr char RaisedAnswer[] = "raised";
constexpr char EndingAnswer[] = "ending";

// Where the running copy listens: the session's runtime folder when there is one, under a
// name of this settings file's own; else beside the settings file. The path is left in the
// lock, so a later start finds it whatever its own environment.
QStringList socketPaths(const QString& settingsFile)
{
    QStringList paths;
    if (const std::optional<QString> runtime = runtimeFolder()) {
        const QByteArray key = QCryptographicHash::hash(
            QFileInfo(settingsFile).absoluteFilePath().toUtf8(), QCryptographicHash::Sha256);
        paths << joinPath(*runtime,
                          u"quillory-%1.socket"_s.arg(QString::fromLatin1(key.toHex().left(16))));
    }
    paths << settingsFile + u".socket"_s;
    return paths;
}

} // namespace

SingleInstance::SingleInstance(const QString& settingsFile)
    : m_settingsFile(settingsFile)
    , m_lock(std::make_unique<FileLock>(settingsFile + u".running"_s))
{
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, &SingleInstance::answerCallers);
}

SingleInstance::~SingleInstance()
{
    m_server.close();
}

Claim SingleInstance::claim()
{
    QDeadlineTimer patience(SilenceLimitMs);
    for (;;) {
        switch (m_lock->tryTake()) {
        case LockState::Taken: listen(); return Claim::Run;
        case LockState::Unavailable:
            m_problem = u"Quillory cannot make sure that it runs only once with your settings: "
                        u"%1. Please start it only once until this is mended, or two copies may "
                        u"overwrite each other's classes."_s.arg(m_lock->problem());
            return Claim::RunUnguarded;
        case LockState::Held: break;
        }
        const Answer answer = askHolder();
        if (answer == Answer::Raised)
            return Claim::RaisedOther;
        if (answer == Answer::Ending)
            patience.setRemainingTime(SilenceLimitMs);
        if (patience.hasExpired()) {
            m_problem = u"Quillory is already running with your settings, but it does not "
                        u"answer: it may be busy, or running on another computer that shares "
                        u"your home folder. Please switch to it or end it, then start Quillory "
                        u"again."_s;
            return Claim::OtherSilent;
        }
        QThread::msleep(RetryPauseMs);
    }
}

SingleInstance::Answer SingleInstance::askHolder()
{
    const QString socketPath = QString::fromUtf8(m_lock->readNote());
    if (socketPath.isEmpty())
        return Answer::None; // the holder has not begun to listen yet, or cannot
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(ConnectWaitMs))
        return Answer::None;
    // A holder busy on its user-interface thread answers later; one that ends closes the line.
    const QDeadlineTimer deadline(AnswerWaitMs);
    while (!socket.canReadLine() && !deadline.hasExpired()) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            break;
    }
    const QByteArray answer = socket.readLine().trimmed();
    if (answer == RaisedAnswer)
        return Answer::Raised;
    return answer == EndingAnswer ? Answer::Ending : Answer::None;
}

void SingleInstance::listen()
{
    for (const QString& path : socketPaths(m_settingsFile)) {
        // The lock is ours, so a socket left at one of our names belongs to a copy that is gone.
        QLocalServer::removeServer(path);
        if (m_server.listen(path)) {
            m_lock->writeNote(path.toUtf8());
            return;
        }
    }
}

void SingleInstance::answerCallers()
{
    // A signal to end may wait in the event loop behind the caller: it counts already.
    const bool ending = m_ending || endingRequested();
    while (QLocalSocket* caller = m_server.nextPendingConnection()) {
        if (!ending)
            Q_EMIT raiseRequested();
        caller->write(ending ? EndingAnswer : RaisedAnswer);
        caller->write("\n");
        caller->flush();
        connect(caller, &QLocalSocket::disconnected, caller, &QObject::deleteLater);
        caller->disconnectFromServer();
    }
}

} // namespace quillory
