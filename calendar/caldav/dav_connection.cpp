// SPDX-License-Identifier: MIT

#include "calendar/caldav/dav_connection.h"

#include "calendar/caldav/server_address.h"

#include <QNetworkReply>
#include <QSslConfiguration>

namespace quillory::caldav {

using namespace Qt::StringLiterals;

namespace {

constexpr int SilenceTimeoutMs = 30'000;
constexpr int MostRedirects = 5;

bool isRedirect(int httpStatus)
{
    return httpStatus == 301 || httpStatus == 302 || httpStatus == 307 || httpStatus == 308;
}

Status networkStatus(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::SslHandshakeFailedError: return Status::UntrustedCertificate;
    case QNetworkReply::OperationCanceledError: // also the transfer timeout
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError: return Status::Unreachable;
    default: return Status::ServerError;
    }
}

Status httpStatusOf(int code)
{
    if (code >= 200 && code < 300)
        return Status::Done;
    if (code == 401 || code == 403)
        return Status::Unauthorised;
    if (code == 404 || code == 410)
        return Status::NotFound;
    if (code == 409 || code == 412)
        return Status::Conflict;
    return Status::ServerError;
}

DavAnswer answerOf(QNetworkReply* reply, const QStringList& certificateProblems)
{
    DavAnswer answer;
    answer.answeredFrom = reply->url();
    answer.httpStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.body = reply->readAll();
    if (answer.httpStatus == 0) {
        const QStringList reasons =
            certificateProblems.isEmpty() ? QStringList{reply->errorString()} : certificateProblems;
        answer.outcome = {networkStatus(reply->error()), reasons.join(u"; "_s)};
        return answer;
    }
    const Status status = httpStatusOf(answer.httpStatus);
    if (status != Status::Done) {
        const QString phrase =
            reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        answer.outcome = {status, u"HTTP %1 %2"_s.arg(answer.httpStatus).arg(phrase).trimmed()};
    }
    return answer;
}

} // namespace

DavConnection::DavConnection(Credentials credentials, QList<QSslCertificate> extraAuthorities,
                             QObject* parent)
    : QObject(parent)
    , m_credentials(std::move(credentials))
{
    m_network.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    if (!extraAuthorities.isEmpty()) {
        // Adding authorities ends Qt's loading of the system's own, so both are named.
        m_tls = QSslConfiguration::defaultConfiguration();
        m_tls->setCaCertificates(QSslConfiguration::systemCaCertificates() + extraAuthorities);
    }
}

QNetworkRequest DavConnection::networkRequest(const DavRequest& request) const
{
    QNetworkRequest sent(request.address);
    sent.setTransferTimeout(SilenceTimeoutMs);
    const QByteArray login = (m_credentials.user + u':' + m_credentials.password).toUtf8();
    sent.setRawHeader("Authorization", "Basic " + login.toBase64());
    sent.setHeader(QNetworkRequest::UserAgentHeader, u"Quillory"_s);
    sent.setRawHeader("Content-Type", request.verb == "PUT" ? "text/calendar; charset=utf-8"
                                                            : "application/xml; charset=utf-8");
    if (!request.depth.isEmpty())
        sent.setRawHeader("Depth", request.depth);
    if (!request.ifMatch.isEmpty())
        sent.setRawHeader("If-Match", request.ifMatch);
    if (request.onlyIfNew)
        sent.setRawHeader("If-None-Match", "*");
    if (m_tls)
        sent.setSslConfiguration(*m_tls);
    return sent;
}

void DavConnection::send(const DavRequest& request, std::function<void(const DavAnswer&)> done)
{
    sendHop(request, MostRedirects, std::move(done));
}

void DavConnection::sendHop(DavRequest request, int hopsLeft,
                            std::function<void(const DavAnswer&)> done)
{
    if (m_cancelled) {
        done({{Status::Cancelled, {}}, 0, {}, request.address});
        return;
    }
    // The password goes nowhere it could be read on the way, also not where a redirect points.
    if (const ServerOutcome check = checkAddress(request.address); !check.ok()) {
        done({check, 0, {}, request.address});
        return;
    }
    QNetworkReply* reply =
        m_network.sendCustomRequest(networkRequest(request), request.verb, request.body);
    auto certificateProblems = std::make_shared<QStringList>();
    connect(reply, &QNetworkReply::sslErrors, reply,
            [certificateProblems](const QList<QSslError>& errors) {
                for (const QSslError& error : errors)
                    certificateProblems->append(error.errorString());
            });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, request, hopsLeft, done, certificateProblems]() mutable {
                reply->deleteLater();
                DavAnswer answer = answerOf(reply, *certificateProblems);
                if (m_cancelled)
                    answer.outcome = {Status::Cancelled, {}};
                const QUrl target =
                    reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
                if (answer.outcome.status != Status::Cancelled && isRedirect(answer.httpStatus) &&
                    target.isValid() && hopsLeft > 0) {
                    request.address = reply->url().resolved(target);
                    sendHop(request, hopsLeft - 1, done);
                    return;
                }
                done(answer);
            });
}

void DavConnection::cancel()
{
    m_cancelled = true;
    for (QNetworkReply* reply : m_network.findChildren<QNetworkReply*>())
        reply->abort();
}

QList<QSslCertificate> authoritiesFromEnvironment()
{
    const QString file = qEnvironmentVariable("SSL_CERT_FILE");
    return file.isEmpty() ? QList<QSslCertificate>{} : QSslCertificate::fromPath(file);
}

} // namespace quillory::caldav
