// SPDX-License-Identifier: MIT

#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

namespace quillory::test {

/// How a command ended: its exit code (-1 when it did not start, finish or exit) and what it
/// printed.
struct Run {
    int status = -1;
    QString output;
    QString error;
};

/// Runs a command to its end, for at most `timeoutMs`, in the environment given.
Run run(const QString& program, const QStringList& arguments, int timeoutMs = 300'000,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

/// Waits while a started process runs until `ready` holds, asking every 50 ms, for at most
/// `timeoutMs`; whether it came to hold.
bool waitUntilReady(const QProcess& process, const std::function<bool()>& ready, int timeoutMs);

/// Ends a process the test started: asks it to end, and kills it after five seconds.
void endProcess(QProcess& process);

} // namespace quillory::test
