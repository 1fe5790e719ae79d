// SPDX-License-Identifier: MIT

#pragma once

#include "homework/homework_entry.h"

#include <QList>
#include <QString>

namespace quillory::test {

/// The list, the name and the date (its stored text).
struct SoakWeek {
    QList<HomeworkEntry> entries;
    QString name;
    QString date;

    bool operator==(const SoakWeek&) const = default;
};

/// What the program must show and keep, worked out without it: the week, the undo history of
/// this run, and the earlier lists.
class SoakModel {
public:
    struct Earlier {
        QString caption;
        SoakWeek week;
    };

    /// The week shown.
    SoakWeek current;
    /// The earlier lists, oldest first.
    QList<Earlier> earlier;

    /// A command of the history named `caption` that leaves `after`; `listChanged` when it
    /// changed the list (even to the same rows).
    void command(const QString& caption, const SoakWeek& after, bool listChanged);
    /// The date a command set to the time of day stands as this until it is known.
    static QString timeOfDay();
    /// The time of day the program took, in place of timeOfDay() wherever it stands.
    void settle(const QString& date);
    void undo();
    void redo();
    /// A new run that shows `shown` while the settings hold `stored`: the history starts anew,
    /// with the step that brought the week back when they differ.
    void restart(const SoakWeek& shown, const SoakWeek& stored);
    bool canUndo() const { return m_index > 0; }
    bool canRedo() const { return m_index < m_steps.size(); }

private:
    struct Step {
        QString caption;
        SoakWeek before;
        SoakWeek after;
    };

    void keepEarlier(const QString& caption, const QList<HomeworkEntry>& replacing);
    void show(const SoakWeek& from, const SoakWeek& to);

    QList<Step> m_steps;
    qsizetype m_index = 0;
};

} // namespace quillory::test
