// SPDX-License-Identifier: MIT

#pragma once

#include "calendar/caldav/caldav_status.h"

#include <QByteArray>
#include <QList>
#include <QNetworkAccessManager>
#include <QObject>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QUrl>

#include <functional>
#include <optional>

class QNetworkReply;

namespace quillory::caldav {

/// Whom the server is asked as.
struct Credentials {
    QString user;
    QString password;
};

/// A request to the server.
struct DavRequest {
    QByteArray verb; ///< PROPFIND, REPORT, PUT, DELETE
    QUrl address;
    QByteArray body = {};
    QByteArray depth = {};   ///< the Depth header, when given
    QByteArray ifMatch = {}; ///< an ETag the resource must still have
    bool onlyIfNew = false;  ///< If-None-Match: *, for a resource that must not exist yet
};

/// The server's answer to one request.
struct DavAnswer {
    ServerOutcome outcome; ///< Done for a 2xx answer; else what went wrong
    int httpStatus = 0;
    QByteArray body;
    QUrl answeredFrom; ///< the address that answered, after any redirect
};

/// The connection to one calendar server for one user: requests go out with the user's
/// credentials (HTTP Basic, to addresses checkAddress accepts only), follow redirects, time out
/// after 30 seconds of silence and never accept a certificate the system (or the extra
/// authorities given) does not trust.
class DavConnection final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DavConnection)

public:
    /// A connection that also trusts the certificate authorities given.
    DavConnection(Credentials credentials, QList<QSslCertificate> extraAuthorities,
                  QObject* parent = nullptr);

    /// Sends the request; `done` gets the answer, also a refusal or Cancelled.
    void send(const DavRequest& request, std::function<void(const DavAnswer&)> done);

    /// Stops every request under way and refuses later ones; their answers say Cancelled.
    void cancel();

private:
    void sendHop(DavRequest request, int hopsLeft, std::function<void(const DavAnswer&)> done);
    QNetworkRequest networkRequest(const DavRequest& request) const;

    QNetworkAccessManager m_network;
    Credentials m_credentials;
    /// The system's authorities and the extra ones; none when there are no extra ones.
    std::optional<QSslConfiguration> m_tls;
    bool m_cancelled = false;
};

/// The extra certificate authorities named by SSL_CERT_FILE, as OpenSSL's own tools take them,
/// for a server whose authority the system does not hold (a school's or one's own); none when
/// the variable is unset or its file holds no certificate.
QList<QSslCertificate> authoritiesFromEnvironment();

} // namespace quillory::caldav
