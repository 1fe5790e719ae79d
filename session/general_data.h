// SPDX-License-Identifier: MIT

#pragma once

#include "base/guarded_procedure.h"

#include <QDateTime>
#include <QObject>
#include <QString>

namespace quillory {

class SettingsWriter;
struct SettingsContent;

/// The name and the date of the week: what the "General Data" frame shows, the commands change
/// and the settings keep. Each change is stored through the settings writer; a store that fails
/// is reported as the step that asked for it.
class GeneralData final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GeneralData)

public:
    /// The name and date before anything is restored (an empty name, the picker's first date),
    /// stored through `writer`.
    explicit GeneralData(SettingsWriter& writer);

    /// The name as it stands.
    QString name() const { return m_name; }
    /// Shows a name without storing it.
    void showName(const QString& name);
    /// Stores the name as it stands; a failed store is reported as `step`'s.
    void storeName(const ProcedureStep& step);
    /// Shows and stores a name; a failed store is reported as `step`'s.
    void setName(const QString& name, const ProcedureStep& step);
    /// The date as it stands.
    QDateTime date() const { return m_date; }
    /// Shows a date without storing it; a date the picker cannot show is ignored.
    void setDate(const QDateTime& date);
    /// Stores the date as it stands; a failed store is reported as `step`'s.
    void storeDate(const ProcedureStep& step);

    /// The name from the stored settings, without writing it back.
    void restoreName(const SettingsContent& stored);
    /// The date from the stored settings, without writing it back; a date the picker cannot
    /// show, or no date, leaves it as it is.
    void restoreDate(const SettingsContent& stored);
    /// Keeps the name and the date as they stand for the next write of the settings (at the
    /// latest the close) without writing them now.
    void storeLater();

Q_SIGNALS:
    /// The name to show has changed.
    void nameChanged(const QString& name);
    /// The date to show has changed.
    void dateChanged(const QDateTime& date);

private:
    SettingsWriter& m_writer;
    QString m_name;
    QDateTime m_date;
};

} // namespace quillory
