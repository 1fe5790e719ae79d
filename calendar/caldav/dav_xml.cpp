// SPDX-License-Identifier: MIT

#include "calendar/caldav/dav_xml.h"

#include <QXmlStreamReader>

namespace quillory::caldav {

using namespace Qt::StringLiterals;

namespace {

constexpr auto Dav = "DAV:"_L1;
constexpr auto CalDav = "urn:ietf:params:xml:ns:caldav"_L1;

bool is(const QXmlStreamReader& xml, QLatin1StringView space, QLatin1StringView name)
{
    return xml.namespaceUri() == space && xml.name() == name;
}

// The first href inside the element the reader stands on (a principal, a home).
QString firstHref(QXmlStreamReader& xml)
{
    QString href;
    while (xml.readNextStartElement()) {
        if (is(xml, Dav, "href"_L1) && href.isEmpty())
            href = xml.readElementText();
        else
            xml.skipCurrentElement();
    }
    return href;
}

// One propstat's properties, taken only when its status says they were found.
void readProp(QXmlStreamReader& xml, DavResource& found)
{
    while (xml.readNextStartElement()) {
        if (is(xml, Dav, "current-user-principal"_L1)) {
            found.principal = firstHref(xml);
        } else if (is(xml, CalDav, "calendar-home-set"_L1)) {
            found.calendarHome = firstHref(xml);
        } else if (is(xml, Dav, "resourcetype"_L1)) {
            while (xml.readNextStartElement()) {
                found.isCalendar = found.isCalendar || is(xml, CalDav, "calendar"_L1);
                xml.skipCurrentElement();
            }
        } else if (is(xml, CalDav, "supported-calendar-component-set"_L1)) {
            while (xml.readNextStartElement()) {
                if (is(xml, CalDav, "comp"_L1))
                    found.components.append(xml.attributes().value("name"_L1).toString());
                xml.skipCurrentElement();
            }
        } else if (is(xml, Dav, "displayname"_L1)) {
            found.displayName = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (is(xml, Dav, "getetag"_L1)) {
            found.etag = xml.readElementText().toUtf8();
        } else if (is(xml, CalDav, "calendar-data"_L1)) {
            found.calendarData = xml.readElementText().toUtf8();
        } else {
            xml.skipCurrentElement();
        }
    }
}

// "HTTP/1.1 200 OK" and the like.
bool statusFound(const QString& line)
{
    return line.section(u' ', 1, 1).startsWith(u'2');
}

void merge(DavResource& into, const DavResource& found)
{
    into.principal += found.principal;
    into.calendarHome += found.calendarHome;
    into.isCalendar = into.isCalendar || found.isCalendar;
    into.displayName += found.displayName;
    into.components += found.components;
    into.etag += found.etag;
    into.calendarData += found.calendarData;
}

void readPropstat(QXmlStreamReader& xml, DavResource& resource)
{
    DavResource found;
    bool ok = true;
    while (xml.readNextStartElement()) {
        if (is(xml, Dav, "prop"_L1))
            readProp(xml, found);
        else if (is(xml, Dav, "status"_L1))
            ok = statusFound(xml.readElementText());
        else
            xml.skipCurrentElement();
    }
    if (ok)
        merge(resource, found);
}

DavResource readResponse(QXmlStreamReader& xml)
{
    DavResource resource;
    while (xml.readNextStartElement()) {
        if (is(xml, Dav, "href"_L1) && resource.href.isEmpty())
            resource.href = xml.readElementText();
        else if (is(xml, Dav, "propstat"_L1))
            readPropstat(xml, resource);
        else
            xml.skipCurrentElement();
    }
    return resource;
}

QByteArray propfind(const QByteArray& properties)
{
    return R"(<?xml version="1.0" encoding="utf-8"?>)"
           R"(<d:propfind xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav"><d:prop>)" +
           properties + "</d:prop></d:propfind>";
}

} // namespace

std::optional<QList<DavResource>> readMultistatus(const QByteArray& text)
{
    QXmlStreamReader xml(text);
    if (!xml.readNextStartElement() || !is(xml, Dav, "multistatus"_L1))
        return std::nullopt;
    QList<DavResource> resources;
    while (xml.readNextStartElement()) {
        if (is(xml, Dav, "response"_L1))
            resources.append(readResponse(xml));
        else
            xml.skipCurrentElement();
    }
    if (xml.hasError())
        return std::nullopt;
    return resources;
}

QByteArray principalQuery()
{
    return propfind("<d:current-user-principal/><d:resourcetype/><d:displayname/>");
}

QByteArray calendarHomeQuery()
{
    return propfind("<c:calendar-home-set/>");
}

QByteArray calendarListQuery()
{
    return propfind("<d:resourcetype/><d:displayname/><c:supported-calendar-component-set/>");
}

QByteArray weekEventsQuery(QDate monday)
{
    const auto utc = [](QDate day) { return day.toString(u"yyyyMMdd'T000000Z'"_s).toLatin1(); };
    return R"(<?xml version="1.0" encoding="utf-8"?>)"
           R"(<c:calendar-query xmlns:d="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav">)"
           "<d:prop><d:getetag/><c:calendar-data/></d:prop>"
           R"(<c:filter><c:comp-filter name="VCALENDAR"><c:comp-filter name="VEVENT">)"
           R"(<c:time-range start=")" +
           utc(monday) + R"(" end=")" + utc(monday.addDays(7)) +
           R"("/></c:comp-filter></c:comp-filter></c:filter></c:calendar-query>)";
}

} // namespace quillory::caldav
