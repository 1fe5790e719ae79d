// SPDX-License-Identifier: MIT

#include "tests/support/radicale_server.h"

#include "tests/support/processes.h"
#include "tests/support/test_files.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace quillory::test {

using namespace Qt::StringLiterals;

namespace {

constexpr int StartTimeoutMs = 15'000;

int freeLoopbackPort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

bool answers(int port)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, quint16(port));
    return socket.waitForConnected(200);
}

} // namespace

RadicaleServer::RadicaleServer(bool tls)
    : m_tls(tls)
{
    if (m_tls && !makeCertificates()) {
        m_problem = u"openssl could not make the test's certificates"_s;
        return;
    }
    start();
}

RadicaleServer::~RadicaleServer()
{
    stop();
}

QString RadicaleServer::authorityFile() const
{
    return m_folder.filePath(u"ca.pem"_s);
}

QUrl RadicaleServer::address() const
{
    return QUrl(u"%1://127.0.0.1:%2/"_s.arg(m_tls ? u"https"_s : u"http"_s).arg(m_port));
}

bool RadicaleServer::makeCertificates()
{
    const QString folder = m_folder.path();
    writeBytes(folder + u"/san.ext"_s, "subjectAltName=IP:127.0.0.1\n");
    const QList<QStringList> steps = {
        {u"req"_s, u"-x509"_s, u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s,
         u"ec_paramgen_curve:prime256v1"_s, u"-nodes"_s, u"-days"_s, u"2"_s, u"-subj"_s,
         u"/CN=Quillory Test CA"_s, u"-keyout"_s, folder + u"/ca.key"_s, u"-out"_s,
         folder + u"/ca.pem"_s},
        {u"req"_s, u"-newkey"_s, u"ec"_s, u"-pkeyopt"_s, u"ec_paramgen_curve:prime256v1"_s,
         u"-nodes"_s, u"-subj"_s, u"/CN=127.0.0.1"_s, u"-keyout"_s, folder + u"/server.key"_s,
         u"-out"_s, folder + u"/server.csr"_s},
        {u"x509"_s, u"-req"_s, u"-days"_s, u"2"_s, u"-in"_s, folder + u"/server.csr"_s, u"-CA"_s,
         folder + u"/ca.pem"_s, u"-CAkey"_s, folder + u"/ca.key"_s, u"-CAcreateserial"_s,
         u"-extfile"_s, folder + u"/san.ext"_s, u"-out"_s, folder + u"/server.pem"_s}};
    for (const QStringList& step : steps) {
        if (run(u"openssl"_s, step, 60'000).status != 0)
            return false;
    }
    return true;
}

void RadicaleServer::start()
{
    m_port = freeLoopbackPort();
    const QString folder = m_folder.path();
    writeBytes(folder + u"/users"_s, "alice:secret\n");
    QString config = u"[server]\nhosts = 127.0.0.1:%1\n"
                     "[auth]\ntype = htpasswd\nhtpasswd_filename = %2/users\n"
                     "htpasswd_encryption = plain\ndelay = 0\n"
                     "[storage]\nfilesystem_folder = %2/collections\n"
                     "[logging]\nlevel = critical\n"_s.arg(m_port)
                         .arg(folder);
    if (m_tls)
        config.insert(
            config.indexOf(u"[auth]"_s),
            u"ssl = True\ncertificate = %1/server.pem\nkey = %1/server.key\n"_s.arg(folder));
    writeBytes(folder + u"/config"_s, config.toUtf8());
    m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_server.start(u"/usr/bin/radicale"_s, {u"--config"_s, folder + u"/config"_s});
    m_running = waitUntilReady(
        m_server, [this] { return answers(m_port); }, StartTimeoutMs);
    if (!m_running)
        m_problem = u"radicale did not start on port %1"_s.arg(m_port);
}

void RadicaleServer::stop()
{
    endProcess(m_server);
}

QString RadicaleServer::client(const QStringList& arguments) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (m_tls)
        environment.insert(u"REQUESTS_CA_BUNDLE"_s, authorityFile());
    const Run answer = run(u"/usr/bin/python3"_s,
                           QStringList{QStringLiteral(QUILLORY_CALENDAR_CLIENT),
                                       address().toString(), u"alice"_s, u"secret"_s} +
                               arguments,
                           60'000, environment);
    if (answer.status != 0) {
        qWarning("calendar client %s: %s", qPrintable(arguments.join(u' ')),
                 qPrintable(answer.error));
        return {};
    }
    return answer.output;
}

} // namespace quillory::test
