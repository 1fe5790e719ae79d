// SPDX-License-Identifier: MIT

#pragma once

#include "calendar/school_week.h"

#include <QDialog>
#include <QList>
#include <QSslCertificate>

#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace quillory {

namespace caldav {
class DavConnection;
class PasswordKeyring;
struct CalendarList;
struct PublishReport;
} // namespace caldav

/// "Publish to Calendar Server…": the server's address, the user name, the password and the
/// calendar (found on the server and chosen from a list), then the week published to it. The
/// account is kept in the settings and the password in the keyring; the window never waits for
/// the server: progress shows in the dialog and Cancel stops it.
class CalendarServerDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CalendarServerDialog)

public:
    /// A dialog for publishing the week, keeping the password in the keyring and trusting the
    /// extra certificate authorities given besides the system's.
    CalendarServerDialog(SchoolWeek week, std::unique_ptr<caldav::PasswordKeyring> keyring,
                         QList<QSslCertificate> extraAuthorities, QWidget* parent = nullptr);
    ~CalendarServerDialog() override;

    /// "Find Calendars": asks the server for the user's calendars and lists them.
    void findCalendars();
    /// "Publish": keeps the account and the password, then publishes the week.
    void publish();
    /// "Cancel", Escape and the close box: stop what is under way, which then reports what it
    /// did, else close the dialog.
    void reject() override;

private:
    void restoreAccount();
    void calendarsFound(const caldav::CalendarList& list);
    QString keepAccount();
    void published(const caldav::PublishReport& report);
    caldav::DavConnection& newConnection();
    void setBusy(bool busy, const QString& status);

    SchoolWeek m_week;
    std::unique_ptr<caldav::PasswordKeyring> m_keyring;
    QList<QSslCertificate> m_extraAuthorities;
    std::unique_ptr<caldav::DavConnection> m_connection;
    QLineEdit* m_address;
    QLineEdit* m_user;
    QLineEdit* m_password;
    QComboBox* m_calendars;
    QPushButton* m_find;
    QPushButton* m_publish;
    QPushButton* m_cancel;
    QProgressBar* m_progress;
    QLabel* m_status;
    bool m_busy = false;
    QString m_accountNote; ///< why the account could not be kept, told with the report
};

} // namespace quillory
