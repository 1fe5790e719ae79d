// SPDX-License-Identifier: MIT

#include "tests/support/processes.h"

#include <QProcess>

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

} // namespace quillory::test
