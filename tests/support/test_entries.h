// SPDX-License-Identifier: MIT

#pragma once

#include "homework/homework_entry.h"
#include "homework/stored_form.h"

#include <QString>

namespace quillory::test {

/// The separators of the stored list, as texts.
inline const QString F = QString::fromUtf16(FieldSeparator);
inline const QString R = QString::fromUtf16(RowSeparator);

/// A class row; days left out are empty.
inline HomeworkEntry entry(const QString& period, std::array<QString, DaysPerWeek> days = {})
{
    return HomeworkEntry{period, std::move(days)};
}

} // namespace quillory::test
