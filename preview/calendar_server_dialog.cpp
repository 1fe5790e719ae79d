// SPDX-License-Identifier: MIT

#include "preview/calendar_server_dialog.h"

#include "base/failure.h"
#include "calendar/caldav/caldav_texts.h"
#include "calendar/caldav/calendar_account.h"
#include "calendar/caldav/calendar_discovery.h"
#include "calendar/caldav/dav_connection.h"
#include "calendar/caldav/password_keyring.h"
#include "calendar/caldav/server_address.h"
#include "calendar/caldav/week_publisher.h"
#include "calendar/week_calendar.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillory {

using namespace Qt::StringLiterals;
using namespace caldav;

namespace {

// The dialog's texts.
namespace text {
const auto Title = u"Publish to Calendar Server"_s;
const auto Intro = u"Puts the week's homework on your calendar server (Nextcloud, Radicale, "
                   u"Fastmail, iCloud or any CalDAV server), so it shows on every device."_s;
const auto Address = u"Server &address:"_s;
const auto AddressHint = u"https://cloud.example.org/remote.php/dav"_s;
const auto User = u"&User name:"_s;
const auto Password = u"&Password:"_s;
const auto Calendar = u"&Calendar:"_s;
const auto Find = u"&Find Calendars"_s;
const auto Publish = u"Pu&blish"_s;
const auto Cancel = u"Cancel"_s;
const auto Finding = u"Looking for your calendars…"_s;
const auto Publishing = u"Publishing the week…"_s;
const auto Found = u"Choose the calendar, then Publish."_s;
const auto NoneFound = u"The server has no calendar for events. Make one in your calendar "
                       u"program or on the server's web page, then Find Calendars again."_s;
const auto ChooseFirst = u"Find the calendars first and choose one."_s;
const auto NoKeyring = u"No keyring answers (%1): type the password each time."_s;
const auto NotKept = u"The account could not be kept: %1"_s;
} // namespace text

} // namespace

CalendarServerDialog::CalendarServerDialog(SchoolWeek week,
                                           std::unique_ptr<PasswordKeyring> keyring,
                                           QList<QSslCertificate> extraAuthorities, QWidget* parent)
    : QDialog(parent)
    , m_week(std::move(week))
    , m_keyring(std::move(keyring))
    , m_extraAuthorities(std::move(extraAuthorities))
    , m_address(new QLineEdit(this))
    , m_user(new QLineEdit(this))
    , m_password(new QLineEdit(this))
    , m_calendars(new QComboBox(this))
    , m_find(new QPushButton(text::Find, this))
    , m_publish(new QPushButton(text::Publish, this))
    , m_cancel(new QPushButton(text::Cancel, this))
    , m_progress(new QProgressBar(this))
    , m_status(new QLabel(this))
{
    setObjectName(u"CalendarServerDialog"_s);
    m_address->setObjectName(u"address"_s);
    m_user->setObjectName(u"user"_s);
    m_password->setObjectName(u"password"_s);
    m_calendars->setObjectName(u"calendars"_s);
    m_find->setObjectName(u"find"_s);
    m_publish->setObjectName(u"publish"_s);
    m_cancel->setObjectName(u"cancel"_s);
    m_status->setObjectName(u"status"_s);
    setWindowTitle(text::Title);
    m_address->setPlaceholderText(text::AddressHint);
    m_password->setEchoMode(QLineEdit::Password);
    m_calendars->setMinimumContentsLength(30);
    m_status->setWordWrap(true);
    m_status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_progress->setVisible(false);
    auto* intro = new QLabel(text::Intro, this);
    intro->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(text::Address, m_address);
    form->addRow(text::User, m_user);
    form->addRow(text::Password, m_password);
    auto* calendarRow = new QHBoxLayout;
    calendarRow->addWidget(m_calendars, 1);
    calendarRow->addWidget(m_find);
    auto* calendarLabel = new QLabel(text::Calendar, this);
    calendarLabel->setBuddy(m_calendars); // a row of two takes no buddy of its own
    form->addRow(calendarLabel, calendarRow);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_publish);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addLayout(form);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addLayout(buttons);
    m_publish->setDefault(true);
    // The dialog grows with a long message instead of squeezing the fields.
    layout->setSizeConstraint(QLayout::SetMinimumSize);

    connect(m_find, &QPushButton::clicked, this, &CalendarServerDialog::findCalendars);
    connect(m_publish, &QPushButton::clicked, this, &CalendarServerDialog::publish);
    connect(m_cancel, &QPushButton::clicked, this, &CalendarServerDialog::reject);
    restoreAccount();
}

CalendarServerDialog::~CalendarServerDialog() = default;

void CalendarServerDialog::restoreAccount()
{
    const CalendarAccount account = storedCalendarAccount();
    m_address->setText(account.address);
    m_user->setText(account.user);
    if (account.calendar.isEmpty())
        return;
    const QUrl calendar(account.calendar);
    m_calendars->addItem(calendar.toDisplayString(), calendar);
    m_password->setFocus(); // the one field a kept account may still need
    m_keyring->read(keyringAccountName(account.user, calendar),
                    [this](const KeyringAnswer& answer) {
                        if (answer.status == KeyringAnswer::Found && m_password->text().isEmpty())
                            m_password->setText(answer.password);
                        else if (answer.status == KeyringAnswer::Unavailable)
                            m_status->setText(text::NoKeyring.arg(answer.reason));
                    });
}

DavConnection& CalendarServerDialog::newConnection()
{
    m_connection = std::make_unique<DavConnection>(Credentials{m_user->text(), m_password->text()},
                                                   m_extraAuthorities);
    return *m_connection;
}

void CalendarServerDialog::setBusy(bool busy, const QString& status)
{
    m_busy = busy;
    for (QWidget* control : {static_cast<QWidget*>(m_address), static_cast<QWidget*>(m_user),
                             static_cast<QWidget*>(m_password), static_cast<QWidget*>(m_calendars),
                             static_cast<QWidget*>(m_find), static_cast<QWidget*>(m_publish)})
        control->setEnabled(!busy);
    m_progress->setVisible(busy);
    m_progress->setRange(0, 0);
    m_status->setText(status);
}

void CalendarServerDialog::findCalendars()
{
    setBusy(true, text::Finding);
    caldav::findCalendars(newConnection(), typedAddress(m_address->text()),
                          [this](const CalendarList& list) { calendarsFound(list); });
}

void CalendarServerDialog::calendarsFound(const CalendarList& list)
{
    const QVariant chosen = m_calendars->currentData();
    if (list.outcome.ok()) {
        m_calendars->clear();
        for (const CalendarInfo& calendar : list.calendars)
            m_calendars->addItem(calendar.name, calendar.address);
        m_calendars->setCurrentIndex(std::max(0, m_calendars->findData(chosen)));
    }
    setBusy(false, !list.outcome.ok()         ? problemText(list.outcome)
                   : list.calendars.isEmpty() ? text::NoneFound
                                              : text::Found);
    if (m_calendars->count() > 0)
        m_calendars->setFocus(); // where the next choice is made
}

// Why the account could not be kept, or nothing. A password the keyring does not keep is simply
// asked for again next time.
QString CalendarServerDialog::keepAccount()
{
    const QUrl calendar = m_calendars->currentData().toUrl();
    m_keyring->store(keyringAccountName(m_user->text(), calendar), m_password->text(),
                     [](const KeyringAnswer&) {});
    const Outcome kept =
        storeCalendarAccount({m_address->text().trimmed(), m_user->text(), calendar.toString()});
    return kept.ok() ? QString() : text::NotKept.arg(kept.problem().description);
}

void CalendarServerDialog::publish()
{
    const QUrl calendar = m_calendars->currentData().toUrl();
    if (calendar.isEmpty()) {
        m_status->setText(text::ChooseFirst);
        return;
    }
    Result<QList<WeekEvent>> events = publishedWeekEvents(m_week);
    if (!events) {
        m_status->setText(events.problem().description);
        return;
    }
    m_accountNote = keepAccount();
    setBusy(true, text::Publishing);
    DavConnection& connection = newConnection();
    auto* publisher = new WeekPublisher(connection, &connection);
    connect(publisher, &WeekPublisher::progressed, this, [this](int done, int total) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
    });
    connect(publisher, &WeekPublisher::finished, this, &CalendarServerDialog::published);
    publisher->publish(calendar, events.value(), weekMonday(m_week.date));
}

void CalendarServerDialog::published(const PublishReport& report)
{
    const QString note = m_accountNote.isEmpty() ? QString() : u"\n"_s + m_accountNote;
    setBusy(false, reportText(report) + note);
}

void CalendarServerDialog::reject()
{
    if (m_busy)
        m_connection->cancel();
    else
        QDialog::reject();
}

} // namespace quillory
