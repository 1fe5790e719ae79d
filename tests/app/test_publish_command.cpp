// SPDX-License-Identifier: MIT
// `quillory --publish` as a script runs it: the stored week published to a real Radicale server
// with the password from standard input or from a keyring of the test's own (GNOME Keyring on a
// private D-Bus session), each failure told on standard error, and the settings never written.
#include "base/settings_store.h"
#include "calendar/caldav/calendar_account.h"
#include "calendar/caldav/password_keyring.h"
#include "homework/general_fields.h"
#include "homework/sample_data.h"
#include "homework/stored_form.h"
#include "tests/support/isolated_settings.h"
#include "tests/support/private_keyring.h"
#include "tests/support/radicale_server.h"
#include "tests/support/test_files.h"

#include <QProcess>
#include <QTest>

#include <memory>

using namespace quillory;
using namespace quillory::caldav;
using namespace quillory::test;
using namespace Qt::StringLiterals;

class TestPublishCommand final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void publish_data();
    void publish();

private:
    IsolatedSettings m_settings;
    std::unique_ptr<RadicaleServer> m_server;
    std::unique_ptr<PrivateKeyring> m_keyring;
    int m_calendars = 0;
};

void TestPublishCommand::initTestCase()
{
    if (!QFile::exists(u"/usr/bin/radicale"_s) ||
        !QFile::exists(u"/usr/bin/gnome-keyring-daemon"_s))
        QSKIP("radicale or gnome-keyring is not installed (scripts/install-deps.sh test)");
    m_server = std::make_unique<RadicaleServer>(false);
    QVERIFY2(m_server->isRunning(), qPrintable(m_server->problem()));
    m_keyring = std::make_unique<PrivateKeyring>();
    QVERIFY(m_keyring->isRunning());
    // Before this process first reaches the session bus.
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_keyring->busAddress().toUtf8());
    SecretServiceKeyring keyring;
    std::optional<KeyringAnswer> stored;
    keyring.store(keyringAccountName(u"alice"_s, m_server->address()), u"secret"_s,
                  [&stored](const KeyringAnswer& answer) { stored = answer; });
    QTRY_VERIFY_WITH_TIMEOUT(stored.has_value(), 20'000);
    QVERIFY2(stored->status == KeyringAnswer::Stored, qPrintable(stored->reason));

    QVERIFY(SaveSetting(QString::fromUtf16(SettingKey::Homework), toStoredForm(sampleClasses())));
    QVERIFY(SaveSetting(nameSettingKey(0), sampleName()));
    QVERIFY(SaveSetting(QString::fromUtf16(SettingKey::Date), u"2021-09-12T10:00:00"_s));
}

// CALENDAR stands for the row's own new calendar; the account, when stored, names it too.
void TestPublishCommand::publish_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("storedUser"); // none stored: empty
    QTest::addColumn<bool>("keyring");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said"); // the start of what it wrote, on its output when 0
    QTest::addColumn<int>("events");

    const QStringList named{u"--publish"_s, u"CALENDAR"_s, u"--user"_s, u"alice"_s,
                            u"--password-stdin"_s};
    const QString published = u"The week is on the calendar: 13 new, 0 changed, 0 removed"_s;
    QTest::newRow("named, password on input")
        << named << QByteArray("secret\n") << QString() << true << 0 << published << 13;
    QTest::newRow("wrong password") << named << QByteArray("wrong\n") << QString() << true << 1
                                    << u"The server refused the user name or the password."_s << 0;
    QTest::newRow("nothing named or stored")
        << QStringList{u"--publish"_s} << QByteArray() << QString() << true << 2
        << u"quillory: no calendar server account is set up."_s << 0;
    QTest::newRow("stored account, keyring's password")
        << QStringList{u"--publish"_s} << QByteArray() << u"alice"_s << true << 0 << published
        << 13;
    QTest::newRow("keyring keeps no password")
        << QStringList{u"--publish"_s} << QByteArray() << u"bob"_s << true << 1
        << u"The keyring keeps no password for bob."_s << 0;
    QTest::newRow("no keyring") << QStringList{u"--publish"_s} << QByteArray() << u"alice"_s
                                << false << 1 << u"No keyring answers"_s << 0;
    QTest::newRow("user without --publish")
        << QStringList{u"--user"_s, u"alice"_s} << QByteArray() << QString() << true << 2
        << u"quillory: --user and --password-stdin go with --publish."_s << 0;
}

void TestPublishCommand::publish()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    QFETCH(QString, storedUser);
    QFETCH(bool, keyring);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QFETCH(int, events);

    const QString name = u"week%1"_s.arg(++m_calendars);
    m_server->client({u"make"_s, name});
    const QString calendarAddress =
        m_server->address().resolved(QUrl(u"alice/"_s + name + u'/')).toString();
    arguments.replaceInStrings(u"CALENDAR"_s, calendarAddress);
    QVERIFY(storeCalendarAccount({m_server->address().toString(), storedUser,
                                  storedUser.isEmpty() ? QString() : calendarAddress}));
    const QByteArray settingsBefore = readBytes(m_settings.filePath());

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!keyring)
        environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s,
                           u"unix:path="_s + m_settings.folder() + u"/no-bus"_s);
    environment.remove(u"DISPLAY"_s);
    environment.remove(u"QT_QPA_PLATFORM"_s);
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(QUILLORY_PROGRAM), arguments);
    program.write(input);
    program.closeWriteChannel();
    QVERIFY(program.waitForFinished(60'000));
    const QString output = QString::fromLocal8Bit(program.readAllStandardOutput());
    const QString error = QString::fromLocal8Bit(program.readAllStandardError());
    QCOMPARE(program.exitCode(), exitCode);
    QVERIFY2((exitCode == 0 ? output : error).startsWith(said), qPrintable(output + error));
    QCOMPARE(readBytes(m_settings.filePath()), settingsBefore);
    const QStringList read = m_server->client({u"list"_s, name}).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(read.size(), events);
}

QTEST_GUILESS_MAIN(TestPublishCommand)
#include "test_publish_command.moc"
