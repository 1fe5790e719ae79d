#pragma once

#include <QString>

namespace quillory::test {

/// A throwaway second local user, for attacks that need someone else's files. It exists only
/// when the tests run as root and `useradd` works; it is removed again with `userdel`.
class OtherUser {
public:
    /// Creates the user when it can; `tag` tells apart two users of one test.
    explicit OtherUser(const QString& tag = {});
    ~OtherUser();
    OtherUser(const OtherUser&) = delete;
    OtherUser& operator=(const OtherUser&) = delete;

    /// Whether the user could be created.
    bool exists() const { return m_id != 0; }
    /// The user's id.
    uint id() const { return m_id; }
    /// The user's group id.
    uint groupId() const { return m_groupId; }
    /// Runs a shell command as the user; true when it ran and succeeded.
    bool run(const QString& shellCommand) const;

private:
    QString m_name;
    uint m_id = 0;
    uint m_groupId = 0;
};

/// Runs the test's own code as the user (real and effective ids, so the program takes the
/// user's files for its own) until destroyed, when the test is root again. For what root may do
/// and others may not, such as replacing another user's file in a folder with the sticky bit.
class ActingAs {
public:
    /// Becomes the user; `acting()` tells whether it could.
    explicit ActingAs(const OtherUser& user);
    ~ActingAs();
    ActingAs(const ActingAs&) = delete;
    ActingAs& operator=(const ActingAs&) = delete;

    /// Whether the test now runs as the user.
    bool acting() const { return m_acting; }

private:
    bool m_acting = false;
};

} // namespace quillory::test
