// SPDX-License-Identifier: MIT

#include "calendar/caldav/password_keyring.h"

#include <qt6keychain/keychain.h>

namespace quillory::caldav {

using namespace Qt::StringLiterals;

namespace {

// The name the keyring shows the passwords under.
constexpr auto Service = "Quillory calendar server"_L1;

KeyringAnswer unavailable(const QKeychain::Job& job)
{
    return {KeyringAnswer::Unavailable, {}, job.errorString()};
}

} // namespace

SecretServiceKeyring::SecretServiceKeyring(QObject* parent)
    : QObject(parent)
{
}

SecretServiceKeyring::~SecretServiceKeyring() = default;

void SecretServiceKeyring::read(const QString& account,
                                std::function<void(const KeyringAnswer&)> done)
{
    auto* job = new QKeychain::ReadPasswordJob(Service, this);
    job->setKey(account);
    connect(job, &QKeychain::Job::finished, this, [job, done] {
        if (job->error() == QKeychain::NoError)
            done({KeyringAnswer::Found, job->textData(), {}});
        else if (job->error() == QKeychain::EntryNotFound)
            done({KeyringAnswer::Missing, {}, {}});
        else
            done(unavailable(*job));
    });
    job->start();
}

void SecretServiceKeyring::store(const QString& account, const QString& password,
                                 std::function<void(const KeyringAnswer&)> done)
{
    auto* job = new QKeychain::WritePasswordJob(Service, this);
    job->setKey(account);
    job->setTextData(password);
    connect(job, &QKeychain::Job::finished, this, [job, done] {
        done(job->error() == QKeychain::NoError ? KeyringAnswer{KeyringAnswer::Stored, {}, {}}
                                                : unavailable(*job));
    });
    job->start();
}

} // namespace quillory::caldav
