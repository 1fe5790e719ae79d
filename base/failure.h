// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <stdexcept>

namespace quillory {

/// A failed operation: what kind of failure it was, and the description that the error report
/// shows.
class Failure : public std::runtime_error {
public:
    /// The kinds of failure that callers and tests tell apart; the description says the rest.
    enum Status {
        SystemError,     ///< the system refused a file, folder or device operation (its reason)
        NotFound,        ///< something needed does not exist: a file, a resource, a font
        NotOwnFile,      ///< a file is no plain file of the user's own, or not the one written
        Malformed,       ///< content cannot be read: damaged, cut short or of another kind
        TooLarge,        ///< beyond the program's limits or the memory at hand
        Locked,          ///< another program holds a lock that is needed now
        InvalidState,    ///< the operation does not fit now: a closed document, an earlier failure
        InvalidArgument, ///< an argument outside the values the operation accepts
        Unsupported,     ///< a request the component does not carry out
        Unavailable,     ///< a service or a name cannot be had: display, clipboard, printer, name
        Cancelled,       ///< the user chose nothing where a choice was needed
    };

    /// A failure of this kind, described for the user.
    Failure(Status status, const QString& description)
        : std::runtime_error(description.toStdString())
        , m_status(status)
    {
    }

    /// What kind of failure it was.
    Status status() const { return m_status; }
    /// The description as the user reads it.
    QString description() const { return QString::fromUtf8(what()); }

private:
    Status m_status;
};

} // namespace quillory
