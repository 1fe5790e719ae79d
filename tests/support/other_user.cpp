// SPDX-License-Identifier: MIT

#include "tests/support/other_user.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace quillory::test {

using namespace Qt::StringLiterals;

namespace {

// The command's standard output when it ran and succeeded; nothing otherwise.
std::optional<QByteArray> runCommand(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return std::nullopt;
    return process.readAllStandardOutput();
}

} // namespace

OtherUser::OtherUser(const QString& tag)
{
    if (::geteuid() != 0)
        return;
    const QString name = u"qltest%1%2"_s.arg(QCoreApplication::applicationPid()).arg(tag);
    if (!runCommand(u"useradd"_s,
                    {u"--no-create-home"_s, u"--shell"_s, u"/usr/sbin/nologin"_s, name}))
        return;
    m_name = name;
    if (const std::optional<QByteArray> id = runCommand(u"id"_s, {u"-u"_s, name}))
        m_id = id->trimmed().toUInt();
}

OtherUser::~OtherUser()
{
    if (!m_name.isEmpty())
        runCommand(u"userdel"_s, {m_name});
}

bool OtherUser::run(const QString& shellCommand) const
{
    return exists() &&
           runCommand(u"runuser"_s, {u"-u"_s, m_name, u"--"_s, u"/bin/sh"_s, u"-c"_s, shellCommand})
               .has_value();
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
