// SPDX-License-Identifier: MIT
// The rules of publishing, without a server: which addresses may carry the password, what a
// server's multistatus answer says, and which events a publish puts, changes and removes.
#include "calendar/caldav/dav_xml.h"
#include "calendar/caldav/publish_plan.h"
#include "calendar/caldav/server_address.h"
#include "tests/support/failure_status.h"

#include <QTest>

using namespace quillory;
using namespace quillory::caldav;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(quillory::caldav::Status)

namespace {

const QUrl Calendar(u"https://cal.example/dav/alice/homework/"_s);

// A week of one class with homework on Monday and Tuesday, 6 and 7 September 2021.
SchoolWeek mathWeek()
{
    return {u"Ann"_s, QDate(2021, 9, 8), {{u"1. Math"_s, {u"Page 4"_s, u"Page 5"_s}}}};
}

// An event on the server as a calendar object, with or without our mark.
QByteArray serverEvent(const QString& uid, const QString& day, bool marked)
{
    return (u"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Any//EN\r\nBEGIN:VEVENT\r\nUID:%1\r\n"
            "DTSTAMP:20210901T000000Z\r\nDTSTART;VALUE=DATE:%2\r\nSUMMARY:Old\r\n%3"
            "END:VEVENT\r\nEND:VCALENDAR\r\n"_s.arg(
                uid, day, marked ? u"X-QUILLORY-PUBLISHED:TRUE\r\n"_s : QString()))
        .toUtf8();
}

const QString OwnUid = u"0123456789abcdef0123456789abcdef@quillory"_s;

} // namespace

class TestCalDavRules final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void addresses_data();
    void addresses();
    void multistatus_data();
    void multistatus();
    void plan_data();
    void plan();
};

// What the user typed, whether the password may go there, and the address made of it.
void TestCalDavRules::addresses_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QString>("whole");

    QTest::newRow("no scheme") << u" cal.example/dav "_s << Status::Done
                               << u"https://cal.example/dav/"_s;
    QTest::newRow("https") << u"https://cal.example"_s << Status::Done << u"https://cal.example/"_s;
    QTest::newRow("http here") << u"http://127.0.0.1:5232"_s << Status::Done
                               << u"http://127.0.0.1:5232/"_s;
    QTest::newRow("http 127/8") << u"http://127.8.0.1/"_s << Status::Done << u"http://127.8.0.1/"_s;
    QTest::newRow("http localhost")
        << u"http://LocalHost:8/x/"_s << Status::Done << u"http://localhost:8/x/"_s;
    QTest::newRow("http ::1") << u"http://[::1]:8/"_s << Status::Done << u"http://[::1]:8/"_s;
    QTest::newRow("http elsewhere")
        << u"http://cal.example/"_s << Status::InsecureAddress << u"http://cal.example/"_s;
    QTest::newRow("http a look-alike")
        << u"http://127.0.0.1.cal.example/"_s << Status::InsecureAddress
        << u"http://127.0.0.1.cal.example/"_s;
    QTest::newRow("other scheme") << u"ftp://cal.example/"_s << Status::InsecureAddress
                                  << u"ftp://cal.example/"_s;
    QTest::newRow("empty") << u""_s << Status::InsecureAddress << u""_s;
}

void TestCalDavRules::addresses()
{
    QFETCH(QString, typed);
    QFETCH(Status, status);
    QFETCH(QString, whole);
    const QUrl address = typedAddress(typed);
    QCOMPARE(address.toString(), whole);
    QCOMPARE(checkAddress(address).status, status);
}

// Each resource as "href|principal|home|calendar or -|name|components|etag|data".
void TestCalDavRules::multistatus_data()
{
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<QStringList>("resources"); // nothing read: "none"

    QTest::newRow("principal, default namespace")
        << QByteArray(R"(<?xml version="1.0"?><multistatus xmlns="DAV:"><response><href>/</href>)"
                      "<propstat><prop><current-user-principal><href>/alice/</href>"
                      "</current-user-principal><resourcetype><collection/></resourcetype></prop>"
                      "<status>HTTP/1.1 200 OK</status></propstat></response></multistatus>")
        << QStringList{u"/|/alice/||-||||"_s};
    QTest::newRow("home, prefixes, a 404 propstat ignored")
        << QByteArray(
               R"(<d:multistatus xmlns:d="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
               "<d:response><d:href>/alice/</d:href><d:propstat><d:prop><C:calendar-home-set>"
               "<d:href>https://p07.example/alice/cal/</d:href></C:calendar-home-set>"
               "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat><d:propstat>"
               "<d:prop><d:displayname>Lost</d:displayname></d:prop>"
               "<d:status>HTTP/1.1 404 Not Found</d:status></d:propstat></d:response>"
               "</d:multistatus>")
        << QStringList{u"/alice/||https://p07.example/alice/cal/|-||||"_s};
    QTest::newRow("calendars")
        << QByteArray(R"(<multistatus xmlns="DAV:" xmlns:c="urn:ietf:params:xml:ns:caldav">)"
                      "<response><href>/a/</href><propstat><prop><resourcetype><collection/>"
                      "</resourcetype></prop><status>HTTP/1.1 200 OK</status></propstat></response>"
                      "<response><href>/a/h/</href><propstat><prop><resourcetype><collection/>"
                      "<c:calendar/></resourcetype><displayname>Home &amp; work</displayname>"
                      R"(<c:supported-calendar-component-set><c:comp name="VEVENT"/>)"
                      R"(<c:comp name="VTODO"/></c:supported-calendar-component-set></prop>)"
                      "<status>HTTP/1.1 200 OK</status></propstat></response></multistatus>")
        << QStringList{u"/a/|||-||||"_s, u"/a/h/|||calendar|Home & work|VEVENT VTODO||"_s};
    QTest::newRow("events")
        << QByteArray(R"(<multistatus xmlns="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
                      "<response><href>/a/h/x.ics</href><propstat><prop><getetag>\"e1\"</getetag>"
                      "<C:calendar-data>BEGIN:VCALENDAR&#13;\nEND:VCALENDAR</C:calendar-data>"
                      "</prop><status>HTTP/1.1 200 OK</status></propstat></response></multistatus>")
        << QStringList{u"/a/h/x.ics|||-|||\"e1\"|BEGIN:VCALENDAR\r\nEND:VCALENDAR"_s};
    QTest::newRow("html") << QByteArray("<html><body>Log in</body></html>")
                          << QStringList{u"none"_s};
    QTest::newRow("cut short") << QByteArray(R"(<multistatus xmlns="DAV:"><response><href>)")
                               << QStringList{u"none"_s};
}

void TestCalDavRules::multistatus()
{
    QFETCH(QByteArray, xml);
    QFETCH(QStringList, resources);
    const std::optional<QList<DavResource>> read = readMultistatus(xml);
    QStringList found;
    for (const DavResource& r : read.value_or(QList<DavResource>{}))
        found.append(QStringList{r.href, r.principal, r.calendarHome,
                                 r.isCalendar ? u"calendar"_s : u"-"_s, r.displayName,
                                 r.components.join(u' '), QString::fromUtf8(r.etag),
                                 QString::fromUtf8(r.calendarData)}
                         .join(u'|'));
    QCOMPARE(read ? found : QStringList{u"none"_s}, resources);
}

// The server's events are named s0.ics, s1.ics … with ETags "e0", "e1" …; each change reads
// "kind|date|title|resource|ETag", a new resource as "new".
void TestCalDavRules::plan_data()
{
    QTest::addColumn<QList<QByteArray>>("onServer");
    QTest::addColumn<QStringList>("changes");
    QTest::addColumn<int>("unchanged");
    QTest::addColumn<int>("heldByOthers");

    const QList<WeekEvent> ours = test::valueOf(publishedWeekEvents(mathWeek()));
    QByteArray changed = ours[0].calendar;
    changed.replace("Page 4", "Page 3");
    QByteArray unmarked = ours[0].calendar;
    unmarked.replace("X-QUILLORY-PUBLISHED:TRUE\r\n", "");
    const QString create4 = u"Create|2021-09-06|1. Math: Page 4|new|"_s;
    const QString create5 = u"Create|2021-09-07|1. Math: Page 5|new|"_s;

    QTest::newRow("empty calendar")
        << QList<QByteArray>{} << QStringList{create4, create5} << 0 << 0;
    QTest::newRow("ours as they are")
        << QList<QByteArray>{ours[0].calendar, ours[1].calendar} << QStringList() << 2 << 0;
    QTest::newRow("ours changed")
        << QList<QByteArray>{changed, ours[1].calendar}
        << QStringList{u"Update|2021-09-06|1. Math: Page 4|s0.ics|\"e0\""_s} << 1 << 0;
    QTest::newRow("ours of a day now empty")
        << QList<QByteArray>{ours[0].calendar, ours[1].calendar,
                             serverEvent(OwnUid, u"20210908"_s, true)}
        << QStringList{u"Remove|2021-09-08|Old|s2.ics|\"e2\""_s} << 2 << 0;
    QTest::newRow("ours of the next week")
        << QList<QByteArray>{serverEvent(OwnUid, u"20210913"_s, true)}
        << QStringList{create4, create5} << 0 << 0;
    QTest::newRow("a calendar file's import")
        << QList<QByteArray>{serverEvent(OwnUid, u"20210908"_s, false)}
        << QStringList{create4, create5} << 0 << 0;
    QTest::newRow("marked, another UID")
        << QList<QByteArray>{serverEvent(u"x@other.example"_s, u"20210908"_s, true)}
        << QStringList{create4, create5} << 0 << 0;
    QTest::newRow("our UID held by another")
        << QList<QByteArray>{unmarked} << QStringList{create5} << 0 << 1;
    QTest::newRow("unreadable") << QList<QByteArray>{"<html/>"} << QStringList{create4, create5}
                                << 0 << 0;
}

void TestCalDavRules::plan()
{
    QFETCH(QList<QByteArray>, onServer);
    QFETCH(QStringList, changes);
    QFETCH(int, unchanged);
    QFETCH(int, heldByOthers);

    QList<ServerEvent> held;
    for (qsizetype i = 0; i < onServer.size(); ++i)
        held.append({Calendar.resolved(QUrl(u"s%1.ics"_s.arg(i))),
                     "\"e" + QByteArray::number(i) + '"', onServer[i]});
    const PublishPlan plan = planPublish(test::valueOf(publishedWeekEvents(mathWeek())), held,
                                         Calendar, QDate(2021, 9, 6));
    const QStringList kinds{u"Create"_s, u"Update"_s, u"Remove"_s};
    QStringList found;
    for (const Change& change : plan.changes) {
        const QString resource =
            change.kind == Change::Create ? u"new"_s : change.address.fileName();
        found.append(QStringList{kinds[change.kind], change.event.day.toString(Qt::ISODate),
                                 change.event.title, resource, QString::fromUtf8(change.etag)}
                         .join(u'|'));
        if (change.kind == Change::Create)
            QVERIFY(change.address.toString().startsWith(Calendar.toString()));
    }
    QCOMPARE(found, changes);
    QCOMPARE(plan.unchanged, unchanged);
    QCOMPARE(plan.heldByOthers.size(), heldByOthers);
}

QTEST_APPLESS_MAIN(TestCalDavRules)
#include "test_caldav_rules.moc"
