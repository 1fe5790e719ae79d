// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace quillory::test {

/// A throwaway second local user, for attacks that need someone else's files. It exists only
/// when the tests run as root and `useradd` works; it is removed again with `userdel`.
class OtherUser {
public:
    /// Creates the user when it can; `tag` tells two users of one test apart.
    explicit OtherUser(const QString& tag = {});
    ~OtherUser();
    OtherUser(const OtherUser&) = delete;
    OtherUser& operator=(const OtherUser&) = delete;

    /// Whether the user could be created.
    bool exists() const { return m_id != 0; }
    /// The user's id.
    uint id() const { return m_id; }
    /// The user's login name.
    const QString& name() const { return m_name; }
    /// Runs a shell command as the user; true when it ran and succeeded.
    bool run(const QString& shellCommand) const;
    /// A copy of the executable `program` that the user can run, in a folder of its own under
    /// the system's temporary folder: the build folder may lie where only its owner can enter.
    /// Empty when the user cannot run even the copy. The copy goes with this object.
    QString reachableCopy(const QString& program);

private:
    QString m_name;
    uint m_id = 0;
    std::unique_ptr<QTemporaryDir> m_programs;
};

} // namespace quillory::test
