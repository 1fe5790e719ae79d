// SPDX-License-Identifier: MIT

#include "base/guarded_procedure.h"

#include "base/error_report.h"

#include "base/failure.h"

#include <new>

namespace quillory {

using namespace Qt::StringLiterals;

void reportFailedStep(const ProcedureStep& step, const QString& description)
{
    prompts().errorReport(
        errorReportText(description, procedureLocation(step.location), step.number),
        ReportIcon::Warning);
}

GuardedProcedure::GuardedProcedure(const ReportLocation& location, ReportIcon icon)
    : m_where(location)
    , m_location(procedureLocation(location))
    , m_icon(icon)
{
}

bool GuardedProcedure::step(int number, const std::function<void()>& action)
{
    // Only our own failures are the user's to read; anything else is a fault of the program and
    // is not carried on past.
    try {
        action();
        return true;
    } catch (const Failure& failure) {
        report(failure.description(), number);
    } catch (const std::bad_alloc&) {
        report(u"There is not enough memory for this."_s, number);
    }
    return false;
}

void GuardedProcedure::report(const QString& description, int number)
{
    ++m_failures;
    prompts().errorReport(errorReportText(description, m_location, number), m_icon);
}

} // namespace quillory
