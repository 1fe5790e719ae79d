// SPDX-License-Identifier: MIT

#include "tests/packaging/debian_package.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillory::test {

using namespace Qt::StringLiterals;

QStringList missingPackageTools()
{
    QStringList missing;
    for (const QString& tool : {u"dpkg-deb"_s, u"cpack"_s, u"dpkg-shlibdeps"_s}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            missing << tool;
    }
    return missing;
}

QString makePackage(const QString& folder, QString* failure)
{
    const QString architecture = run(u"dpkg"_s, {u"--print-architecture"_s}).output.trimmed();
    const QString package =
        folder + u"/quillory_" QUILLORY_EXPECTED_VERSION "-1_%1.deb"_s.arg(architecture);
    const Run packed = run(u"cpack"_s, {u"-G"_s, u"DEB"_s, u"-B"_s, folder, u"--config"_s,
                                        QStringLiteral(QUILLORY_BUILD_DIR "/CPackConfig.cmake")});
    if (packed.status == 0 && QFileInfo::exists(package))
        return package;
    *failure = packed.output + packed.error;
    return {};
}

QStringList packagePaths(const QString& package, bool withFolders)
{
    // Lines like "drwxr-xr-x root/root 0 2026-12-07 12:00 ./usr/".
    QStringList paths;
    for (const QString& line : run(u"dpkg-deb"_s, {u"-c"_s, package}).output.split(u'\n')) {
        const qsizetype start = line.indexOf(u" ./"_s);
        if (start >= 0 && (withFolders || !line.startsWith(u'd')))
            paths << QDir::cleanPath(line.mid(start + 2).section(u" -> "_s, 0, 0));
    }
    return paths;
}

} // namespace quillory::test
