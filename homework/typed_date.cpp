// SPDX-License-Identifier: MIT

#include "homework/typed_date.h"

#include "homework/general_fields.h"

#include <QRegularExpression>
#include <QStringList>

#include <cstdlib>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

constexpr int YearsInACentury = 100;

// The picker's own form; the day is read with or without its leading zero.
constexpr char16_t ShownForm[] = u"MMMM d, yyyy";

// Right-to-left locales mark their short form with direction marks nobody types.
QString withoutDirectionMarks(QString text)
{
    return text.remove(QChar(0x200E)).remove(QChar(0x200F)).remove(QChar(0x061C));
}

// The short form with a single-letter day and month (one digit or two) and each year length.
QStringList shortForms(const QLocale& locale)
{
    QString format = withoutDirectionMarks(locale.dateFormat(QLocale::ShortFormat));
    format.replace(QRegularExpression(u"(?<!d)dd(?!d)"_s), u"d"_s);
    format.replace(QRegularExpression(u"(?<!M)MM(?!M)"_s), u"M"_s);
    const QRegularExpression year(u"y+"_s);
    return {QString(format).replace(year, u"yyyy"_s), QString(format).replace(year, u"yy"_s)};
}

// Qt reads "yy" as a year of the 1900s; the century is the one that puts it nearest.
int nearestYear(int twoDigits, int nearYear)
{
    const int century = nearYear - nearYear % YearsInACentury;
    int best = century + twoDigits;
    for (const int candidate : {best - YearsInACentury, best + YearsInACentury}) {
        const int distance = std::abs(candidate - nearYear);
        const int bestDistance = std::abs(best - nearYear);
        if (distance < bestDistance || (distance == bestDistance && candidate > best))
            best = candidate;
    }
    return best;
}

std::optional<QDate> readShortForm(const QString& text, const QLocale& locale, int nearYear)
{
    for (const QString& format : shortForms(locale)) {
        // The locale's own digits, or the Western ones.
        for (const QLocale& digits : {locale, QLocale::c()}) {
            QDate date = digits.toDate(text, format);
            if (!date.isValid())
                continue;
            if (!format.contains(u"yyyy"_s))
                date.setDate(nearestYear(date.year() % YearsInACentury, nearYear), date.month(),
                             date.day());
            if (date.isValid())
                return date;
        }
    }
    return std::nullopt;
}

bool isInPickerRange(const QDate& date)
{
    return date >= earliestPickerDate().date() && date <= latestPickerDate().date();
}

} // namespace

std::optional<QDate> readTypedDate(const QString& text, const QLocale& locale, int nearYear)
{
    const QString typed = withoutDirectionMarks(text).simplified();
    std::optional<QDate> date;
    if (const QDate shown = locale.toDate(typed, QString::fromUtf16(ShownForm)); shown.isValid())
        date = shown;
    else
        date = readShortForm(typed, locale, nearYear);
    if (!date || !isInPickerRange(*date))
        return std::nullopt;
    return date;
}

} // namespace quillory
