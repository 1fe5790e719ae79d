// SPDX-License-Identifier: MIT

#pragma once

#include "tests/support/processes.h"

#include <QString>
#include <QStringList>

namespace quillory::test {

/// The tools making a package needs that are not installed; empty when all are.
QStringList missingPackageTools();

/// Makes the Debian package of the build in `folder` with CPack; returns its path, under the
/// name Debian's tools give it, or an empty string (and CPack's words in `failure`).
QString makePackage(const QString& folder, QString* failure);

/// The paths a package installs, from its own listing: its files and links, and its folders
/// too when `withFolders`.
QStringList packagePaths(const QString& package, bool withFolders);

} // namespace quillory::test
