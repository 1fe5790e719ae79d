// SPDX-License-Identifier: MIT

#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

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

} // namespace quillory::test
