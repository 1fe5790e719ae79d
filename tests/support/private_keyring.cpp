// SPDX-License-Identifier: MIT

#include "tests/support/private_keyring.h"

#include "tests/support/processes.h"

#include <QDir>

namespace quillory::test {

using namespace Qt::StringLiterals;

namespace {

constexpr int StartTimeoutMs = 15'000;

// Whether the Secret Service has its name on the bus.
bool secretServiceAnswers(const QProcessEnvironment& environment)
{
    QProcess ask;
    ask.setProcessEnvironment(environment);
    ask.start(u"dbus-send"_s, {u"--session"_s, u"--print-reply"_s, u"--dest=org.freedesktop.DBus"_s,
                               u"/org/freedesktop/DBus"_s, u"org.freedesktop.DBus.NameHasOwner"_s,
                               u"string:org.freedesktop.secrets"_s});
    return ask.waitForFinished(5'000) && ask.readAllStandardOutput().contains("boolean true");
}

} // namespace

PrivateKeyring::PrivateKeyring()
{
    const QString home = m_home.path();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char16_t* folder : {u"/.local/share", u"/.cache", u"/.config", u"/run"})
        QDir().mkpath(home + QString::fromUtf16(folder));
    QFile::setPermissions(home + u"/run"_s,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    environment.insert(u"HOME"_s, home);
    environment.insert(u"XDG_DATA_HOME"_s, home + u"/.local/share"_s);
    environment.insert(u"XDG_CACHE_HOME"_s, home + u"/.cache"_s);
    environment.insert(u"XDG_CONFIG_HOME"_s, home + u"/.config"_s);
    environment.insert(u"XDG_RUNTIME_DIR"_s, home + u"/run"_s);
    m_bus.setProcessEnvironment(environment);
    m_bus.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address=1"_s,
                                   u"--address=unix:path="_s + home + u"/run/bus"_s});
    if (!m_bus.waitForReadyRead(StartTimeoutMs))
        return;
    const QString address = QString::fromUtf8(m_bus.readLine()).trimmed();
    environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, address);
    m_keyring.setProcessEnvironment(environment);
    m_keyring.setStandardOutputFile(QProcess::nullDevice());
    m_keyring.setStandardErrorFile(QProcess::nullDevice());
    // Its login keyring made and unlocked with the password it reads from its input.
    m_keyring.start(u"gnome-keyring-daemon"_s,
                    {u"--foreground"_s, u"--unlock"_s, u"--components=secrets"_s});
    if (!m_keyring.waitForStarted(StartTimeoutMs))
        return;
    m_keyring.write("test");
    m_keyring.closeWriteChannel();
    m_keyring.waitForBytesWritten(StartTimeoutMs);
    if (waitUntilReady(
            m_keyring, [&environment] { return secretServiceAnswers(environment); },
            StartTimeoutMs))
        m_busAddress = address;
}

PrivateKeyring::~PrivateKeyring()
{
    endProcess(m_keyring);
    endProcess(m_bus);
}

} // namespace quillory::test
