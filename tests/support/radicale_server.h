// SPDX-License-Identifier: MIT

#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

namespace quillory::test {

/// A Radicale calendar server (Debian radicale) of the test's own on a free loopback port, with
/// the user "alice" (password "secret") in an htpasswd file and, over TLS, a certificate signed
/// by a certificate authority the test made. Stopped and its files removed when it goes.
class RadicaleServer {
public:
    /// Starts it, over TLS when asked; isRunning() tells whether it came up.
    explicit RadicaleServer(bool tls);
    ~RadicaleServer();
    RadicaleServer(const RadicaleServer&) = delete;
    RadicaleServer& operator=(const RadicaleServer&) = delete;

    /// Whether the server answers on its port.
    bool isRunning() const { return m_running; }
    /// What went wrong when it did not come up.
    QString problem() const { return m_problem; }
    /// Its address, "http://127.0.0.1:PORT/" or "https://…".
    QUrl address() const;
    /// The certificate authority's file (PEM), over TLS.
    QString authorityFile() const;
    /// Stops the server; its calendars stay in its folder.
    void stop();

    /// Runs the calendar client script (python3-caldav) with the server's address and alice's
    /// credentials before the arguments; returns its output, or an empty text when it failed.
    QString client(const QStringList& arguments) const;

private:
    bool makeCertificates();
    void start();

    QTemporaryDir m_folder;
    QProcess m_server;
    int m_port = 0;
    bool m_tls = false;
    bool m_running = false;
    QString m_problem;
};

} // namespace quillory::test
