#pragma once

#include <QLocalServer>
#include <QLockFile>
#include <QObject>
#include <QString>

namespace quillory {

/// The folder where running copies of the program meet: the per-user runtime folder, or the
/// user's configuration folder when there is none.
QString instanceFolder();

/// Keeps one running copy of the program per user, so that two copies never overwrite each
/// other's classes. The first copy holds a lock file in the folder and listens on a local
/// socket beside it; a later copy asks it to come to the front and then ends. A lock left by a
/// copy that crashed does not count.
class SingleInstance final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)

public:
    /// Meets other copies in the folder.
    explicit SingleInstance(const QString& folder);

    /// True when this copy is the one to run. False when another copy runs: it has been asked
    /// to come to the front, and this copy should end.
    bool claim();

Q_SIGNALS:
    /// A later start asked this copy to come to the front.
    void raiseRequested();

private:
    void listen();
    void askRunningCopyToRaise();

    QString m_socketPath;
    QLockFile m_lock;
    QLocalServer m_server;
};

} // namespace quillory
