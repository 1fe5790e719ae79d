// SPDX-License-Identifier: MIT

#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace quillory::test {

/// A D-Bus session bus of the test's own (dbus-daemon) with GNOME Keyring's Secret Service on it
/// (gnome-keyring-daemon), its keyring unlocked, in a home folder of its own: the user's real
/// keyring and session are never touched. Both end when it goes.
class PrivateKeyring {
public:
    /// Starts both; isRunning() tells whether they came up.
    PrivateKeyring();
    ~PrivateKeyring();
    PrivateKeyring(const PrivateKeyring&) = delete;
    PrivateKeyring& operator=(const PrivateKeyring&) = delete;

    /// Whether the keyring answers on the bus.
    bool isRunning() const { return !m_busAddress.isEmpty(); }
    /// The bus's address, for DBUS_SESSION_BUS_ADDRESS.
    QString busAddress() const { return m_busAddress; }

private:
    QTemporaryDir m_home;
    QProcess m_bus;
    QProcess m_keyring;
    QString m_busAddress;
};

} // namespace quillory::test
