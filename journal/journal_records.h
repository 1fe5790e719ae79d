// SPDX-License-Identifier: MIT

#pragma once

#include "homework/homework_entry.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <variant>

namespace quillory::journal {

/// One change of the class list, as the list signalled it. Rows are 0-based.
struct ListOp {
    enum class Kind : quint8 {
        Insert = 1,     ///< `entry` put in at `row`
        Remove,         ///< the row at `row` taken out
        Replace,        ///< the texts of `row` replaced by `entry`
        Move,           ///< the row at `row` moved to `to`
        ReplaceAll,     ///< every row replaced by `entries`
        EmptyDays,      ///< every day text emptied, the periods kept (a new week)
        RestoreEarlier, ///< every row replaced by the earlier list `earlierId`
    };

    Kind kind = Kind::Insert;
    qint32 row = 0;
    qint32 to = 0;
    HomeworkEntry entry;
    QList<HomeworkEntry> entries;
    quint64 earlierId = 0;

    bool operator==(const ListOp&) const = default;
};

/// The name and the date as the settings keep them (the date in its stored text).
struct WeekFields {
    QString name;
    QString date;

    bool operator==(const WeekFields&) const = default;
};

/// A list that a command replaced, kept with the name and date that went with it.
struct EarlierList {
    quint64 id = 0;
    /// The caption of the command that replaced it ("Clear/Reset Data").
    QString replacedBy;
    /// When it was replaced, in milliseconds since the epoch (UTC).
    qint64 replacedAtMs = 0;
    QList<HomeworkEntry> entries;
    WeekFields fields;

    bool operator==(const EarlierList&) const = default;
};

/// What the settings file held when the journal last knew it: the list's digest, name and date.
struct StoredWeek {
    QByteArray listDigest;
    WeekFields fields;

    bool operator==(const StoredWeek&) const = default;
};

/// The whole state a journal begins with.
struct SnapshotRecord {
    QList<HomeworkEntry> entries;
    WeekFields fields;
    StoredWeek stored;
    /// The id the next earlier list gets.
    quint64 nextEarlierId = 1;

    bool operator==(const SnapshotRecord&) const = default;
};

/// An earlier list carried over into a journal begun anew.
struct EarlierRecord {
    EarlierList list;

    bool operator==(const EarlierRecord&) const = default;
};

/// One step of the user: the list's changes in order, and the name and date after it. With
/// `replacedBy` set, the list before the step is kept as an earlier list.
struct StepRecord {
    QList<ListOp> ops;
    WeekFields fields;
    QString replacedBy;
    qint64 replacedAtMs = 0;

    bool operator==(const StepRecord&) const = default;
};

/// The settings file has just received the list, the name and the date.
struct StoredRecord {
    StoredWeek stored;

    bool operator==(const StoredRecord&) const = default;
};

/// Any record of the journal.
using Record = std::variant<SnapshotRecord, EarlierRecord, StepRecord, StoredRecord>;

} // namespace quillory::journal
