// SPDX-License-Identifier: MIT

#include "tests/support/other_user.h"

#include "tests/support/processes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace quillory::test {

using namespace Qt::StringLiterals;

OtherUser::OtherUser(const QString& tag)
{
    if (::geteuid() != 0)
        return;
    const QString name = u"qltest%1%2"_s.arg(QCoreApplication::applicationPid()).arg(tag);
    const QStringList user{u"--no-create-home"_s, u"--shell"_s, u"/usr/sbin/nologin"_s, name};
    if (test::run(u"useradd"_s, user).status != 0)
        return;
    m_name = name;
    if (const Run id = test::run(u"id"_s, {u"-u"_s, name}); id.status == 0)
        m_id = id.output.trimmed().toUInt();
}

OtherUser::~OtherUser()
{
    if (!m_name.isEmpty())
        test::run(u"userdel"_s, {m_name});
}

bool OtherUser::run(const QString& shellCommand) const
{
    return exists() &&
           test::run(u"runuser"_s, {u"-u"_s, m_name, u"--"_s, u"/bin/sh"_s, u"-c"_s, shellCommand})
                   .status == 0;
}

QString OtherUser::reachableCopy(const QString& program)
{
    m_programs = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/programs-XXXXXX"_s);
    const QString copy = m_programs->filePath(QFileInfo(program).fileName());
    const auto openToAll = [](const QString& path) {
        return ::chmod(QFile::encodeName(path).constData(), 0755) == 0;
    };
    if (!m_programs->isValid() || !QFile::copy(program, copy) || !openToAll(m_programs->path()) ||
        !openToAll(copy) || !run(u"test -x '%1'"_s.arg(copy)))
        return {};
    return copy;
}

} // namespace quillory::test
