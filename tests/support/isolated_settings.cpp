// SPDX-License-Identifier: MIT

#include "tests/support/isolated_settings.h"

#include <QFile>
#include <QSettings>

namespace quillory::test {

using namespace Qt::StringLiterals;

IsolatedSettings::IsolatedSettings()
{
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_folder.path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_folder.path());
}

QString IsolatedSettings::filePath() const
{
    return m_folder.path() + u"/Velmora/Quillory.conf"_s;
}

} // namespace quillory::test
