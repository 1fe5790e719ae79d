// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QStringList>

namespace quillory::test {

/// How a command ended: its exit status (-1 when it did not finish) and what it printed.
struct Run {
    int status = -1;
    QString output;
    QString error;
};

/// Runs a command to its end (at most `timeoutMs`), with apt and dpkg asking nothing.
Run run(const QString& program, const QStringList& arguments, int timeoutMs = 300000);

/// The tools making a package needs that are not installed; empty when all are.
QStringList missingPackageTools();

/// Makes the Debian package of the build in `folder` with CPack; returns its path, under the
/// name Debian's tools give it, or an empty string (and CPack's words in `failure`).
QString makePackage(const QString& folder, QString* failure);

/// The paths a package installs, from its own listing: its files and links, and its folders
/// too when `withFolders`.
QStringList packagePaths(const QString& package, bool withFolders);

} // namespace quillory::test
