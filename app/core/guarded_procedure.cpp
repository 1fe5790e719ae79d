#include "app/core/guarded_procedure.h"

#include "app/core/error_report.h"

#include <exception>

namespace quillory {

using namespace Qt::StringLiterals;

GuardedProcedure::GuardedProcedure(const QString& window, const QString& procedure, ReportIcon icon)
    : m_location(procedureLocation(window, procedure))
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
