// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QString>

#include <functional>

namespace quillory::caldav {

/// What the keyring answered.
struct KeyringAnswer {
    /// How the keyring answered.
    enum Status {
        Found,       ///< the password was there (read)
        Missing,     ///< no password is kept for the account (read)
        Stored,      ///< the password is kept now (store)
        Unavailable, ///< no keyring runs, or it refused: the password is asked for each time
    };
    Status status = Unavailable;
    QString password; ///< the password found
    QString reason;   ///< why the keyring is unavailable
};

/// Where the password of a calendar account is kept between runs.
class PasswordKeyring {
public:
    virtual ~PasswordKeyring() = default;
    /// Reads the account's password; `done` gets the answer once.
    virtual void read(const QString& account, std::function<void(const KeyringAnswer&)> done) = 0;
    /// Keeps the account's password; `done` gets the answer once.
    virtual void store(const QString& account, const QString& password,
                       std::function<void(const KeyringAnswer&)> done) = 0;
};

/// The desktop's keyring through the Secret Service (GNOME Keyring, KeePassXC, KWallet), by
/// QtKeychain, without its fallback to a plain file. Answers come through the event loop.
class SecretServiceKeyring final : public QObject, public PasswordKeyring {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SecretServiceKeyring)

public:
    /// A keyring whose answers are given while the object lives.
    explicit SecretServiceKeyring(QObject* parent = nullptr);
    ~SecretServiceKeyring() override;

    void read(const QString& account, std::function<void(const KeyringAnswer&)> done) override;
    void store(const QString& account, const QString& password,
               std::function<void(const KeyringAnswer&)> done) override;
};

} // namespace quillory::caldav
