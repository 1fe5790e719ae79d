// SPDX-License-Identifier: MIT

#pragma once

#include "base/prompts.h"
#include "base/report_locations.h"

#include <QString>

#include <functional>
#include <optional>
#include <type_traits>

namespace quillory {

/// One numbered step of a guarded procedure, kept to report a failure that comes to light
/// after the procedure has gone on (a write finished in the background).
struct ProcedureStep {
    ReportLocation location;
    int number = 0;
};

/// Reports the failure of the step in the error report, as its procedure would have.
void reportFailedStep(const ProcedureStep& step, const QString& description);

/// Runs the numbered steps of one user-facing procedure. A step that fails is reported in the
/// error report with the procedure's location and the step's number; the procedure then goes
/// on with its next step. Failures of unguarded callees surface here with the caller's number.
class GuardedProcedure {
public:
    explicit GuardedProcedure(const ReportLocation& location,
                              ReportIcon icon = ReportIcon::Warning);

    /// Runs one step; false when it failed (and was reported).
    bool step(int number, const std::function<void()>& action);

    /// Runs a step that yields a value; nothing when it failed (and was reported).
    template <typename Action>
    auto result(int number, Action&& action) -> std::optional<std::invoke_result_t<Action>>
    {
        std::optional<std::invoke_result_t<Action>> value;
        step(number, [&] { value = action(); });
        return value;
    }

    /// How many steps have failed so far.
    int failures() const { return m_failures; }

    /// The step with this number, to report a failure that comes to light later.
    ProcedureStep at(int number) const { return {m_where, number}; }

private:
    void report(const QString& description, int number);

    ReportLocation m_where;
    QString m_location;
    ReportIcon m_icon;
    int m_failures = 0;
};

} // namespace quillory
