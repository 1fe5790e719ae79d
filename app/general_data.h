// SPDX-License-Identifier: MIT

#pragma once

#include <QDateTime>
#include <QString>

namespace quillory {

/// The name and the date as the commands change them. The main window's "General Data" frame
/// is the program's; tests may bring their own.
class GeneralData {
public:
    virtual ~GeneralData() = default;

    /// The name as it stands.
    virtual QString name() const = 0;
    /// Shows and stores a name; throws Failure when it cannot be stored.
    virtual void setName(const QString& name) = 0;
    /// The date as it stands.
    virtual QDateTime date() const = 0;
    /// Shows a date without storing it.
    virtual void setDate(const QDateTime& date) = 0;
    /// Stores the date as it stands; throws Failure when it cannot.
    virtual void DateTimePicker1_Change() = 0;
};

} // namespace quillory
