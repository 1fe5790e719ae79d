// SPDX-License-Identifier: MIT

#include "homework/sample_data.h"

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// Days left out are empty.
HomeworkEntry row(const QString& period, std::array<QString, DaysPerWeek> days = {})
{
    return HomeworkEntry{period, std::move(days)};
}

} // namespace

QString sampleName()
{
    return u"Dana Whitlow"_s;
}

QList<HomeworkEntry> sampleClasses()
{
    const QString jazz = u"Jazz Band Practice"_s;
    return {
        row(u"1. Physical Science"_s, {u"Lab Report"_s,
                                       {},
                                       u"Takehome Quiz 5"_s,
                                       {},
                                       u"Chapter 12 Reading"_s,
                                       {},
                                       u"My Sunday Reading"_s}),
        row(u"2. English"_s, {u"Finish Of Mice and Men"_s, {}, {}, u"Study for exam on Friday"_s}),
        row(u"3. Band"_s, {QString(), jazz, QString(), jazz, QString(), jazz}),
        row(u"4. U.S. History"_s, {u"Chapter 4.1 to 4.4 Outline"_s}),
        // "Ledge" is how the example has always read.
        row(u"5. Accounting"_s, {QString(), {}, {}, u"Ledger 5.1 due"_s, {}, u"Ledge 5.2 due"_s}),
        row(u"6. Biz Applications I"_s),
        row(u"7. Study Hall"_s),
        row(u"8. Geometry"_s, {u"Chapter 7 problems 1-41 odd"_s}),
    };
}

} // namespace quillory
