// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <stdexcept>

namespace quillory {

/// A failed operation; its message is the description that the error report shows.
class Failure : public std::runtime_error {
public:
    explicit Failure(const QString& description)
        : std::runtime_error(description.toStdString())
    {
    }

    /// The description as the user reads it.
    QString description() const { return QString::fromUtf8(what()); }
};

} // namespace quillory
