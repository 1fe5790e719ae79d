// SPDX-License-Identifier: MIT

#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include <optional>

namespace quillory {

/// Reads a date typed or pasted into the date picker, in one of two forms of the locale: the
/// one the picker shows (the full month name, the day, a comma, the year: "February 14, 2027")
/// or the short date form ("2/14/27" in the United States, "14.02.27" in Germany). Days and
/// months may come with or without a leading zero, years with two digits or four; a two-digit
/// year is the one nearest `nearYear` (ties go to the later). Spaces around the text do not
/// count. Nothing for any other text, or for a date outside the picker's range.
std::optional<QDate> readTypedDate(const QString& text, const QLocale& locale, int nearYear);

} // namespace quillory
