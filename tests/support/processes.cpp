// SPDX-License-Identifier: MIT

#include "tests/support/processes.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

namespace quillory::test {

Run run(const QString& program, const QStringList& arguments, int timeoutMs,
        const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(timeoutMs) || process.exitStatus() != QProcess::NormalExit)
        return {-1, {}, QString::fromUtf8(process.readAllStandardError())};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

bool waitUntilReady(const QProcess& process, const std::function<bool()>& ready, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired() && process.state() != QProcess::NotRunning) {
        if (ready())
            return true;
        QThread::msleep(50);
    }
    return false;
}

void endProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(5'000)) {
        process.kill();
        process.waitForFinished();
    }
}

} // namespace quillory::test
