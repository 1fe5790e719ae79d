// SPDX-License-Identifier: MIT

#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <memory>

namespace quillory {

class FileLock;

/// What a start found when it claimed the settings file.
enum class Claim {
    Run,          ///< this copy runs, holding the lock
    RunUnguarded, ///< this copy runs, but no lock could be taken (problem() says why)
    RaisedOther,  ///< another copy runs and has come to the front: this one ends
    OtherSilent   ///< another copy holds the lock but does not answer (problem() says so)
};

/// Keeps one running copy of the program per settings file, whatever the environment it was
/// started in, so that two copies never overwrite each other's classes. The running copy holds
/// a lock beside the settings file and listens on a local socket whose path it leaves in the
/// lock; a later start asks it to come to the front and ends. A copy that is ending says so,
/// and the later start waits until it has ended and then runs. Only a live copy on this machine
/// holds the lock: what a crash or a power cut left at its name never counts.
class SingleInstance final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)

public:
    /// Meets the other copies that use this settings file.
    explicit SingleInstance(const QString& settingsFile);
    /// Stops listening, then gives the lock up.
    ~SingleInstance() override;

    /// Takes the lock, or asks its holder to come forward; waits while the holder is ending.
    Claim claim();
    /// Why the lock could not be taken, or that its holder does not answer, in plain words.
    QString problem() const { return m_problem; }

    /// From now on this copy tells a later start that it is ending, so that the later start
    /// waits for it instead of ending too.
    void announceEnding() { m_ending = true; }

Q_SIGNALS:
    /// A later start asked this copy to come to the front.
    void raiseRequested();

private:
    enum class Answer { Raised, Ending, None };

    Answer askHolder();
    void listen();
    void answerCallers();

    QString m_settingsFile;
    std::unique_ptr<FileLock> m_lock;
    QLocalServer m_server;
    bool m_ending = false;
    QString m_problem;
};

} // namespace quillory
