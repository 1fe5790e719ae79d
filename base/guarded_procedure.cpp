// SPDX-License-Identifier: MIT

#include "base/guarded_procedure.h"

#include "base/error_report.h"

#include <exception>

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
    try {
        action();
        return true;
    } catch (const std::exception& failure) {
        report(QString::fromUtf8(failure.what()), number);
    } catch (...) {
        report(u"Unknown failure"_s, number);
    }
    return false;
}

void GuardedProcedure::report(const QString& description, int number)
{
    ++m_failures;
    prompts().errorReport(errorReportText(description, m_location, number), m_icon);
}

} // namespace quillory
