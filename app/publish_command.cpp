// SPDX-License-Identifier: MIT

#include "app/publish_command.h"

#include "app/stored_week.h"
#include "base/failure.h"
#include "calendar/caldav/caldav_texts.h"
#include "calendar/caldav/calendar_account.h"
#include "calendar/caldav/dav_connection.h"
#include "calendar/caldav/password_keyring.h"
#include "calendar/caldav/server_address.h"
#include "calendar/caldav/week_publisher.h"
#include "calendar/week_calendar.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include <cstdio>

namespace quillory {

using namespace Qt::StringLiterals;
using namespace caldav;

namespace {

constexpr int PublishedExit = 0;
constexpr int NotPublishedExit = 1;
constexpr int NothingNamedExit = 2;

void say(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = (text + u'\n').toLocal8Bit();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
    std::fflush(stream);
}

// The password as the first line of standard input (a script's "echo" adds the line end).
QString passwordFromStandardInput()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return {};
    QByteArray bytes = input.readAll();
    if (bytes.endsWith('\n'))
        bytes.chop(1);
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    return QString::fromUtf8(bytes);
}

// Publishes with the password, then ends the event loop with the exit status.
void publishWith(const QUrl& calendar, const QString& user, const QString& password)
{
    QList<WeekEvent> events;
    QDate monday;
    const StoredWeekReading reading = readStoredWeek();
    if (reading.status != StoredWeekStatus::Read) {
        say(stderr, reading.reason + u" Nothing was published."_s);
        QCoreApplication::exit(NotPublishedExit);
        return;
    }
    Result<QList<WeekEvent>> made = publishedWeekEvents(reading.week);
    if (!made) {
        say(stderr, made.problem().description + u" Nothing was published."_s);
        QCoreApplication::exit(NotPublishedExit);
        return;
    }
    events = std::move(made).value();
    monday = weekMonday(reading.week.date);
    auto* connection = new DavConnection({user, password}, authoritiesFromEnvironment(),
                                         QCoreApplication::instance());
    auto* publisher = new WeekPublisher(*connection, connection);
    QObject::connect(
        publisher, &WeekPublisher::finished, connection, [](const PublishReport& report) {
            say(report.outcome.ok() ? stdout : stderr, reportText(report));
            QCoreApplication::exit(report.outcome.ok() ? PublishedExit : NotPublishedExit);
        });
    publisher->publish(calendar, events, monday);
}

void publishWithKeyring(const QUrl& calendar, const QString& user)
{
    auto* keyring = new SecretServiceKeyring(QCoreApplication::instance());
    keyring->read(
        keyringAccountName(user, calendar), [calendar, user](const KeyringAnswer& answer) {
            if (answer.status == KeyringAnswer::Found) {
                publishWith(calendar, user, answer.password);
                return;
            }
            const QString why = answer.status == KeyringAnswer::Missing
                                    ? u"The keyring keeps no password for %1."_s.arg(user)
                                    : u"No keyring answers (%1)."_s.arg(answer.reason);
            say(stderr, why + u" Give the password on standard input with --password-stdin. "
                              u"Nothing was published."_s);
            QCoreApplication::exit(NotPublishedExit);
        });
}

} // namespace

int runPublishCommand(const PublishCommand& command)
{
    const CalendarAccount stored = storedCalendarAccount();
    const QString calendarText = command.calendar.isEmpty() ? stored.calendar : command.calendar;
    const QString user = command.user.isEmpty() ? stored.user : command.user;
    if (calendarText.isEmpty() || user.isEmpty()) {
        say(stderr, u"quillory: no calendar server account is set up. Publish once from the "
                    u"preview's menu, or name it: quillory --publish CALENDAR_URL --user NAME "
                    u"--password-stdin"_s);
        return NothingNamedExit;
    }
    const QUrl calendar = typedAddress(calendarText);
    const QString password =
        command.passwordOnStandardInput ? passwordFromStandardInput() : QString();
    // Once the event loop runs, so that an early end reaches it.
    QTimer::singleShot(0, QCoreApplication::instance(), [command, calendar, user, password] {
        if (command.passwordOnStandardInput)
            publishWith(calendar, user, password);
        else
            publishWithKeyring(calendar, user);
    });
    return QCoreApplication::exec();
}

} // namespace quillory
