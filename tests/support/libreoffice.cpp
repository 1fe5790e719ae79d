// SPDX-License-Identifier: MIT

#include "tests/support/libreoffice.h"

#include "tests/support/test_files.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace quillory::test {

using namespace Qt::StringLiterals;

LibreOffice::LibreOffice()
    : m_soffice(QStandardPaths::findExecutable(u"soffice"_s))
{
}

QByteArray LibreOffice::convert(const QString& document, const QString& filter,
                                const QString& extension)
{
    QProcess soffice;
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    soffice.setProcessEnvironment(m_environment);
    const QString profile = QUrl::fromLocalFile(m_folder.filePath(u"profile"_s)).toString();
    soffice.start(m_soffice, {u"--headless"_s, u"-env:UserInstallation="_s + profile,
                              u"--convert-to"_s, filter, u"--outdir"_s, m_folder.path(), document});
    // Its first start alone, making the profile, can take twenty seconds.
    if (!soffice.waitForFinished(240'000) || soffice.exitCode() != 0)
        qWarning("soffice: %s", soffice.readAll().constData());
    return readBytes(m_folder.filePath(QFileInfo(document).completeBaseName() + u'.' + extension));
}

} // namespace quillory::test
