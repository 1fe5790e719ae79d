// SPDX-License-Identifier: MIT
// Publishing to a real Radicale server on a loopback port, over plain HTTP and over TLS, read
// back with another client (python3-caldav): the example week, again, a day cleared, another
// client's events, and every failure the user must be told of.
#include "calendar/caldav/calendar_discovery.h"
#include "calendar/caldav/dav_connection.h"
#include "calendar/caldav/week_publisher.h"
#include "calendar/week_calendar.h"
#include "homework/sample_data.h"
#include "tests/support/failure_status.h"
#include "tests/support/radicale_server.h"
#include "tests/support/test_files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace quillory;
using namespace quillory::caldav;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

// The example week as another client reads it from the server.
const QStringList SampleOnServer = uR"(2021-09-06|1. Physical Science: Lab Report|ours
2021-09-06|2. English: Finish Of Mice and Men|ours
2021-09-06|4. U.S. History: Chapter 4.1 to 4.4 Outline|ours
2021-09-06|8. Geometry: Chapter 7 problems 1-41 odd|ours
2021-09-07|3. Band: Jazz Band Practice|ours
2021-09-08|1. Physical Science: Takehome Quiz 5|ours
2021-09-09|2. English: Study for exam on Friday|ours
2021-09-09|3. Band: Jazz Band Practice|ours
2021-09-09|5. Accounting: Ledger 5.1 due|ours
2021-09-10|1. Physical Science: Chapter 12 Reading|ours
2021-09-11|3. Band: Jazz Band Practice|ours
2021-09-11|5. Accounting: Ledge 5.2 due|ours
2021-09-12|1. Physical Science: My Sunday Reading|ours)"_s.split(u'\n');

const QByteArray OtherClientsEvent = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n"
                                     "BEGIN:VEVENT\r\nUID:dentist-1@other.example\r\n"
                                     "DTSTAMP:20210901T080000Z\r\nDTSTART;VALUE=DATE:20210906\r\n"
                                     "SUMMARY:Dentist\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

QStringList with(QStringList lines, const QStringList& added, const QStringList& removed = {})
{
    for (const QString& line : removed)
        lines.removeOne(line);
    lines += added;
    lines.sort();
    return lines;
}

SchoolWeek sampleWeek()
{
    return {sampleName(), QDate(2021, 9, 12), sampleClasses()};
}

} // namespace

class TestCalDavServer final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void publishing_data();
    void publishing();
    void calendars_data();
    void calendars();

private:
    void putEvent(RadicaleServer& server, const QByteArray& calendar);
    QTemporaryDir m_folder;
};

void TestCalDavServer::initTestCase()
{
    if (!QFile::exists(u"/usr/bin/radicale"_s) ||
        QProcess::execute(u"/usr/bin/python3"_s, {u"-c"_s, u"import caldav"_s}) != 0)
        QSKIP("radicale or python3-caldav is not installed (scripts/install-deps.sh test)");
}

void TestCalDavServer::putEvent(RadicaleServer& server, const QByteArray& calendar)
{
    const QString file = m_folder.filePath(u"event.ics"_s);
    QVERIFY(writeBytes(file, calendar));
    server.client({u"put"_s, u"homework"_s, file});
}

// Each row runs its steps in turn on a fresh server with an empty calendar "homework":
// "publish" the week as it is then, "clear" Monday's lab report, "change" it, "other" puts
// another client's event on that Monday, "imported" puts the lab report as a calendar file's
// import, "wrong" makes the password wrong, "delete" the calendar, "stop" the server.
void TestCalDavServer::publishing_data()
{
    QTest::addColumn<bool>("tls");
    QTest::addColumn<bool>("trusted");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QList<int>>("counts"); // of the last publish: new, changed, removed, same
    QTest::addColumn<int>("notPublished");
    QTest::addColumn<QStringList>("onServer");

    const QString lab = u"2021-09-06|1. Physical Science: Lab Report|ours"_s;
    const QString dentist = u"2021-09-06|Dentist|other"_s;
    QTest::newRow("example week") << false << true << u"publish"_s << Status::Done
                                  << QList<int>{13, 0, 0, 0} << 0 << SampleOnServer;
    QTest::newRow("again, nothing doubled") << false << true << u"publish publish"_s << Status::Done
                                            << QList<int>{0, 0, 0, 13} << 0 << SampleOnServer;
    QTest::newRow("day cleared, other client's event kept")
        << false << true << u"other publish clear publish"_s << Status::Done
        << QList<int>{0, 0, 1, 12} << 0 << with(SampleOnServer, {dentist}, {lab});
    QTest::newRow("text changed") << false << true << u"publish change publish"_s << Status::Done
                                  << QList<int>{0, 1, 0, 12} << 0
                                  << with(SampleOnServer,
                                          {u"2021-09-06|1. Physical Science: Second draft|ours"_s},
                                          {lab});
    QTest::newRow("imported copy left alone")
        << false << true << u"imported publish"_s << Status::Conflict << QList<int>{12, 0, 0, 0}
        << 1
        << with(SampleOnServer, {u"2021-09-06|1. Physical Science: Lab Report|other"_s}, {lab});
    QTest::newRow("wrong password") << false << true << u"wrong publish"_s << Status::Unauthorised
                                    << QList<int>{0, 0, 0, 0} << 13 << QStringList();
    QTest::newRow("calendar deleted")
        << false << true << u"publish delete publish"_s << Status::NotFound
        << QList<int>{0, 0, 0, 0} << 13 << QStringList();
    QTest::newRow("server stopped") << false << true << u"stop publish"_s << Status::Unreachable
                                    << QList<int>{0, 0, 0, 0} << 13 << QStringList();
    QTest::newRow("TLS") << true << true << u"publish clear publish"_s << Status::Done
                         << QList<int>{0, 0, 1, 12} << 0 << with(SampleOnServer, {}, {lab});
    QTest::newRow("untrusted certificate")
        << true << false << u"publish"_s << Status::UntrustedCertificate << QList<int>{0, 0, 0, 0}
        << 13 << QStringList();
}

void TestCalDavServer::publishing()
{
    QFETCH(bool, tls);
    QFETCH(bool, trusted);
    QFETCH(QString, steps);
    QFETCH(Status, status);
    QFETCH(QList<int>, counts);
    QFETCH(int, notPublished);
    QFETCH(QStringList, onServer);

    RadicaleServer server(tls);
    QVERIFY2(server.isRunning(), qPrintable(server.problem()));
    server.client({u"make"_s, u"homework"_s});
    const QUrl calendar = server.address().resolved(QUrl(u"alice/homework/"_s));
    SchoolWeek week = sampleWeek();
    QString password = u"secret"_s;
    PublishReport report;
    for (const QString& step : steps.split(u' ')) {
        if (step == u"publish"_s) {
            DavConnection connection({u"alice"_s, password},
                                     trusted && tls
                                         ? QSslCertificate::fromPath(server.authorityFile())
                                         : QList<QSslCertificate>{});
            WeekPublisher publisher(connection);
            QSignalSpy finished(&publisher, &WeekPublisher::finished);
            publisher.publish(calendar, test::valueOf(publishedWeekEvents(week)),
                              QDate(2021, 9, 6));
            QVERIFY(finished.wait(60'000));
            report = finished.first().first().value<PublishReport>();
        } else if (step == u"clear"_s || step == u"change"_s) {
            week.classes[0].Days[0] = step == u"clear"_s ? u" \n"_s : u"Second draft"_s;
        } else if (step == u"other"_s) {
            putEvent(server, OtherClientsEvent);
        } else if (step == u"imported"_s) {
            SchoolWeek lab = week;
            lab.classes = {{week.classes[0].Period, {week.classes[0].Days[0]}}};
            putEvent(server, test::valueOf(weekCalendar(lab)));
        } else if (step == u"wrong"_s) {
            password = u"not the secret"_s;
        } else if (step == u"delete"_s) {
            server.client({u"delete"_s, u"homework"_s});
        } else if (step == u"stop"_s) {
            server.stop();
        }
    }
    QCOMPARE(report.outcome.status, status);
    QCOMPARE((QList<int>{report.created, report.updated, report.removed, report.unchanged}),
             counts);
    QCOMPARE(report.notPublished.size(), notPublished);
    if (status != Status::Done)
        QVERIFY(!report.outcome.reason.isEmpty());
    if (status == Status::NotFound || status == Status::Unreachable)
        return; // nothing to read back
    QStringList read = server.client({u"list"_s, u"homework"_s}).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(read, onServer);
}

void TestCalDavServer::calendars_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("password");
    QTest::addColumn<Status>("status");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("from the server's address")
        << u""_s << u"secret"_s << Status::Done << QStringList{u"Homework"_s};
    QTest::newRow("nothing there: the well-known address, redirected")
        << u"nothing/"_s << u"secret"_s << Status::Done << QStringList{u"Homework"_s};
    QTest::newRow("a calendar's own address")
        << u"alice/homework/"_s << u"secret"_s << Status::Done << QStringList{u"Homework"_s};
    QTest::newRow("wrong password") << u""_s << u"wrong"_s << Status::Unauthorised << QStringList();
}

// The calendar for tasks only is never offered: it takes no events.
void TestCalDavServer::calendars()
{
    QFETCH(QString, path);
    QFETCH(QString, password);
    QFETCH(Status, status);
    QFETCH(QStringList, names);

    RadicaleServer server(false);
    QVERIFY2(server.isRunning(), qPrintable(server.problem()));
    server.client({u"make"_s, u"homework"_s});
    server.client({u"make-tasks"_s, u"tasks"_s});
    DavConnection connection({u"alice"_s, password}, {});
    CalendarList found;
    bool answered = false;
    findCalendars(connection, server.address().resolved(QUrl(path)), [&](const CalendarList& list) {
        found = list;
        answered = true;
    });
    QTRY_VERIFY_WITH_TIMEOUT(answered, 60'000);
    QCOMPARE(found.outcome.status, status);
    QStringList foundNames;
    for (const CalendarInfo& calendar : found.calendars) {
        foundNames.append(calendar.name);
        QCOMPARE(calendar.address, server.address().resolved(QUrl(u"alice/homework/"_s)));
    }
    QCOMPARE(foundNames, names);
}

QTEST_GUILESS_MAIN(TestCalDavServer)
#include "test_caldav_server.moc"
