// SPDX-License-Identifier: MIT

#include "tests/app/soak_model.h"

using namespace Qt::StringLiterals;

namespace quillory::test {

namespace {

constexpr int MostEarlierLists = 500;

bool keepsReplacedList(const QString& caption)
{
    return caption == u"Clear/Reset Data"_s || caption == u"Load Sample/Example Data"_s ||
           caption == u"Start a New Week"_s || caption == u"Delete Selected Class"_s ||
           caption == u"Restore Earlier List"_s;
}

} // namespace

void SoakModel::command(const QString& caption, const SoakWeek& after, bool listChanged)
{
    if (!listChanged && after.name == current.name && after.date == current.date)
        return;
    keepEarlier(caption, after.entries);
    m_steps.resize(m_index);
    m_steps.append({caption, current, after});
    ++m_index;
    current = after;
}

// Only a list that held rows and that the command changed, and not twice in a row.
void SoakModel::keepEarlier(const QString& caption, const QList<HomeworkEntry>& replacing)
{
    if (!keepsReplacedList(caption) || current.entries.isEmpty() || current.entries == replacing)
        return;
    if (!earlier.isEmpty() && earlier.constLast().caption == caption &&
        earlier.constLast().week.entries == current.entries)
        return;
    earlier.append({caption, current});
    if (earlier.size() > MostEarlierLists)
        earlier.removeFirst();
}

// Undo and Redo put the name and the date back only while they show what the step left.
void SoakModel::show(const SoakWeek& from, const SoakWeek& to)
{
    current.entries = to.entries;
    if (to.name != from.name && current.name == from.name)
        current.name = to.name;
    if (to.date != from.date && current.date == from.date)
        current.date = to.date;
}

void SoakModel::undo()
{
    if (!canUndo())
        return;
    const Step& step = m_steps.at(--m_index);
    show(step.after, step.before);
}

void SoakModel::redo()
{
    if (!canRedo())
        return;
    const Step& step = m_steps.at(m_index++);
    keepEarlier(step.caption, step.after.entries);
    show(step.before, step.after);
}

QString SoakModel::timeOfDay()
{
    return u"now"_s;
}

void SoakModel::settle(const QString& date)
{
    const auto replace = [&date](SoakWeek& week) {
        if (week.date == timeOfDay())
            week.date = date;
    };
    replace(current);
    for (Step& step : m_steps) {
        replace(step.before);
        replace(step.after);
    }
    for (Earlier& kept : earlier)
        replace(kept.week);
}

void SoakModel::restart(const SoakWeek& shown, const SoakWeek& stored)
{
    m_steps.clear();
    m_index = 0;
    current = shown;
    if (shown != stored) {
        m_steps.append({u"Recover Last Session"_s, stored, shown});
        m_index = 1;
    }
}

} // namespace quillory::test
