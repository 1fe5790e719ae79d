// SPDX-License-Identifier: MIT

#include "session/week_replacement.h"

#include "session/general_data.h"
#include "base/guarded_procedure.h"
#include "homework/general_fields.h"
#include "homework/homework_list_model.h"

#include <QDateTime>
#include <QLocale>

namespace quillory {

using namespace Qt::StringLiterals;

QString earlierListText(const journal::EarlierList& earlier)
{
    const QDateTime when = QDateTime::fromMSecsSinceEpoch(earlier.replacedAtMs);
    return u"Before %1, %2"_s.arg(earlier.replacedBy,
                                  QLocale::c().toString(when, u"ddd MMM d HH:mm"_s));
}

void replaceWeek(WeekData data, CommandKind kind, const ReportLocation& location,
                 const QList<HomeworkEntry>& entries, const journal::WeekFields& fields,
                 FieldsStored stored)
{
    GuardedProcedure procedure(location);
    std::unique_ptr<DataChange> change = data.startChange(kind);
    const bool storeNow = stored == FieldsStored::Now;
    if (fields.name != data.fields.name()) {
        data.fields.showName(fields.name);
        if (storeNow)
            data.fields.storeName(procedure.at(100));
    }
    // Compared as stored: the stored text has no milliseconds, the picker may.
    const QDateTime date = dateFromStoredText(fields.date);
    if (date.isValid() && fields.date != storedDateText(data.fields.date())) {
        data.fields.setDate(date);
        if (storeNow)
            data.fields.storeDate(procedure.at(104));
    }
    if (!storeNow)
        data.fields.storeLater();
    if (entries != data.list.entries())
        procedure.step(106,
                       [&] { change->apply(std::make_unique<RowsReplaced>(data.list, entries)); });
    DataChange::push(data.history, std::move(change));
}

} // namespace quillory
