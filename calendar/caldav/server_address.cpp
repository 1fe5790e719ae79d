// SPDX-License-Identifier: MIT

#include "calendar/caldav/server_address.h"

#include <QHostAddress>

namespace quillory::caldav {

using namespace Qt::StringLiterals;

namespace {

bool isThisMachine(const QString& host)
{
    if (host.compare(u"localhost"_s, Qt::CaseInsensitive) == 0)
        return true;
    const QHostAddress address(host);
    return !address.isNull() && address.isLoopback();
}

QUrl withFolderPath(QUrl url)
{
    if (!url.path().endsWith(u'/'))
        url.setPath(url.path() + u'/');
    return url;
}

} // namespace

ServerOutcome checkAddress(const QUrl& address)
{
    if (!address.isValid() || address.host().isEmpty())
        return {Status::InsecureAddress, u"\"%1\" is no web address."_s.arg(address.toString())};
    const QString scheme = address.scheme().toLower();
    if (scheme == u"https"_s || (scheme == u"http"_s && isThisMachine(address.host())))
        return {};
    return {Status::InsecureAddress, u"%1 is no https address."_s.arg(address.toDisplayString())};
}

QUrl typedAddress(const QString& typed)
{
    QString text = typed.trimmed();
    if (text.isEmpty())
        return {};
    if (!text.contains(u"://"_s))
        text.prepend(u"https://"_s);
    return withFolderPath(QUrl(text, QUrl::StrictMode));
}

QUrl resolvedReference(const QUrl& answeredFrom, const QString& reference, bool collection)
{
    const QUrl resolved = answeredFrom.resolved(QUrl(reference.trimmed()));
    return collection ? withFolderPath(resolved) : resolved;
}

QUrl eventAddress(const QUrl& calendar, const QString& uid)
{
    const QString name = uid.section(u'@', 0, 0);
    return withFolderPath(calendar).resolved(
        QUrl(QString::fromLatin1(QUrl::toPercentEncoding(name)) + u".ics"_s));
}

} // namespace quillory::caldav
