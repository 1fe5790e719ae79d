#include "app/single_instance.h"

#include "base/file_system.h"
#include "base/working_folder.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// How long a later copy keeps trying to reach the running one, which may be between taking
// the lock and listening.
constexpr int ReachAttemptsMs = 3000;
constexpr int ReachPauseMs = 50;

} // namespace

QString instanceFolder()
{
    if (const std::optional<QString> runtime = runtimeFolder())
        return *runtime;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(config);
    return config;
}

SingleInstance::SingleInstance(const QString& folder)
    : m_socketPath(joinPath(folder, u"quillory.socket"_s))
    , m_lock(joinPath(folder, u"quillory.lock"_s))
{
    // Only a lock whose copy has died is stale; a copy that has run for hours still holds it.
    m_lock.setStaleLockTime(0);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* caller = m_server.nextPendingConnection()) {
            caller->disconnectFromServer();
            caller->deleteLater();
            Q_EMIT raiseRequested();
        }
    });
}

bool SingleInstance::claim()
{
    if (m_lock.tryLock(0)) {
        listen();
        return true;
    }
    // A folder where no lock can be made must not keep the program from starting.
    if (m_lock.error() != QLockFile::LockFailedError)
        return true;
    askRunningCopyToRaise();
    return false;
}

void SingleInstance::listen()
{
    // The lock is ours, so a socket file left at the name belongs to a copy that is gone.
    QLocalServer::removeServer(m_socketPath);
    m_server.listen(m_socketPath);
}

void SingleInstance::askRunningCopyToRaise()
{
    const QDeadlineTimer deadline(ReachAttemptsMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(ReachPauseMs)) {
            socket.disconnectFromServer();
            return;
        }
        QThread::msleep(ReachPauseMs);
    }
}

} // namespace quillory
