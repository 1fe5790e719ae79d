// SPDX-License-Identifier: MIT
// The Publish to Calendar Server dialog: what it restores from the settings and the keyring,
// what it keeps after publishing to a real Radicale server, and Cancel against a server that
// never answers.
#include "calendar/caldav/calendar_account.h"
#include "calendar/caldav/password_keyring.h"
#include "homework/sample_data.h"
#include "preview/calendar_server_dialog.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/radicale_server.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>

#include <memory>

using namespace quillory;
using namespace quillory::caldav;
using namespace quillory::test;
using namespace Qt::StringLiterals;

namespace {

// The passwords a keyring keeps, or none when there is no keyring.
struct KeyringState {
    bool available = true;
    QHash<QString, QString> passwords;
};

class FakeKeyring final : public PasswordKeyring {
public:
    explicit FakeKeyring(std::shared_ptr<KeyringState> state)
        : m_state(std::move(state))
    {
    }
    void read(const QString& account, std::function<void(const KeyringAnswer&)> done) override
    {
        if (!m_state->available)
            done({KeyringAnswer::Unavailable, {}, u"no bus"_s});
        else if (m_state->passwords.contains(account))
            done({KeyringAnswer::Found, m_state->passwords.value(account), {}});
        else
            done({KeyringAnswer::Missing, {}, {}});
    }
    void store(const QString& account, const QString& password,
               std::function<void(const KeyringAnswer&)> done) override
    {
        if (m_state->available)
            m_state->passwords.insert(account, password);
        done({m_state->available ? KeyringAnswer::Stored : KeyringAnswer::Unavailable, {}, {}});
    }

private:
    std::shared_ptr<KeyringState> m_state;
};

template <typename Control> Control* control(const QWidget& dialog, const QString& name)
{
    return dialog.findChild<Control*>(name);
}

} // namespace

class TestCalendarServerDialog final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dialog_data();
    void dialog();

private:
    IsolatedSettings m_settings;
};

// "open" only opens it; "publish" types the server's address, user and password, finds the
// calendars and publishes; "cancel" publishes to the kept calendar on a server that never
// answers, then presses Cancel.
void TestCalendarServerDialog::dialog_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("kept");      // an account and its password are kept beforehand
    QTest::addColumn<bool>("keyring");   // a keyring answers
    QTest::addColumn<QString>("fields"); // address|user|password|calendar shown at the end
    QTest::addColumn<QString>("status"); // the start of the status line at the end

    QTest::newRow("nothing kept") << u"open"_s << false << true << u"|||"_s << QString();
    QTest::newRow("account and password kept")
        << u"open"_s << true << true << u"SERVER|alice|secret|SERVERalice/homework/"_s << QString();
    QTest::newRow("no keyring") << u"open"_s << true << false
                                << u"SERVER|alice||SERVERalice/homework/"_s
                                << u"No keyring answers (no bus): type the password each time."_s;
    QTest::newRow("publish keeps the account")
        << u"publish"_s << false << true << u"SERVER|alice|secret|Homework"_s
        << u"The week is on the calendar: 13 new, 0 changed, 0 removed, 0 unchanged."_s;
    QTest::newRow("cancel") << u"cancel"_s << true << true
                            << u"SERVER|alice|secret|SERVERalice/homework/"_s
                            << u"Publishing was stopped."_s;
}

void TestCalendarServerDialog::dialog()
{
    QFETCH(QString, action);
    QFETCH(bool, kept);
    QFETCH(bool, keyring);
    QFETCH(QString, fields);
    QFETCH(QString, status);

    std::unique_ptr<RadicaleServer> radicale;
    QTcpServer silent; // takes connections and never answers
    QString server;
    if (action == u"publish"_s) {
        radicale = std::make_unique<RadicaleServer>(false);
        QVERIFY2(radicale->isRunning(), qPrintable(radicale->problem()));
        radicale->client({u"make"_s, u"homework"_s});
        server = radicale->address().toString();
    } else {
        QVERIFY(silent.listen(QHostAddress::LocalHost));
        server = u"http://127.0.0.1:%1/"_s.arg(silent.serverPort());
    }
    auto state = std::make_shared<KeyringState>();
    state->available = keyring;
    const QUrl calendar(server + u"alice/homework/"_s);
    QVERIFY(storeCalendarAccount(kept ? CalendarAccount{server, u"alice"_s, calendar.toString()}
                                      : CalendarAccount{}));
    if (kept)
        state->passwords.insert(keyringAccountName(u"alice"_s, calendar), u"secret"_s);

    CalendarServerDialog dialog({sampleName(), QDate(2021, 9, 12), sampleClasses()},
                                std::make_unique<FakeKeyring>(state), {});
    dialog.show();
    auto* statusLine = control<QLabel>(dialog, u"status"_s);
    if (action == u"publish"_s) {
        QTest::keyClicks(control<QLineEdit>(dialog, u"address"_s), server);
        QTest::keyClicks(control<QLineEdit>(dialog, u"user"_s), u"alice"_s);
        QTest::keyClicks(control<QLineEdit>(dialog, u"password"_s), u"secret"_s);
        QTest::mouseClick(control<QPushButton>(dialog, u"find"_s), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(control<QComboBox>(dialog, u"calendars"_s)->count(), 1, 30'000);
    }
    if (action != u"open"_s) {
        QTest::mouseClick(control<QPushButton>(dialog, u"publish"_s), Qt::LeftButton);
        QVERIFY(!control<QPushButton>(dialog, u"publish"_s)->isEnabled());
    }
    if (action == u"cancel"_s) {
        QTRY_VERIFY(silent.hasPendingConnections());
        QTest::mouseClick(control<QPushButton>(dialog, u"cancel"_s), Qt::LeftButton);
    }
    QTRY_VERIFY_WITH_TIMEOUT(control<QPushButton>(dialog, u"publish"_s)->isEnabled(), 60'000);
    QVERIFY2(statusLine->text().startsWith(status), qPrintable(statusLine->text()));
    const QStringList shown{control<QLineEdit>(dialog, u"address"_s)->text(),
                            control<QLineEdit>(dialog, u"user"_s)->text(),
                            control<QLineEdit>(dialog, u"password"_s)->text(),
                            control<QComboBox>(dialog, u"calendars"_s)->currentText()};
    QCOMPARE(shown.join(u'|'), QString(fields).replace(u"SERVER"_s, server));
    if (action == u"publish"_s) {
        QCOMPARE(storedCalendarAccount(),
                 (CalendarAccount{server, u"alice"_s, calendar.toString()}));
        QCOMPARE(state->passwords.value(keyringAccountName(u"alice"_s, calendar)), u"secret"_s);
    }
}

QTEST_MAIN(TestCalendarServerDialog)
#include "test_calendar_server_dialog.moc"
