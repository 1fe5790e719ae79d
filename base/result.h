// SPDX-License-Identifier: MIT

#pragma once

#include "base/failure.h"

#include <QString>

#include <optional>
#include <utility>
#include <variant>

namespace quillory {

/// Why an operation failed: its kind, and the description the error report shows.
struct Problem {
    Failure::Status status = Failure::SystemError;
    QString description;
    /// The system's own words for it ("No space left on device"), where the system gave any.
    QString reason = {};

    /// Throws it as a Failure, for a guarded step that reports it.
    [[noreturn]] void raise() const { throw Failure(status, description); }
    bool operator==(const Problem&) const = default;
};

/// What an operation that yields a value came to: the value, or the problem that kept it.
template <typename T> class [[nodiscard]] Result {
public:
    /// Succeeded with this value.
    Result(T value)
        : m_state(std::move(value))
    {
    }
    /// Failed for this reason.
    Result(Problem problem)
        : m_state(std::move(problem))
    {
    }

    /// Whether it succeeded.
    bool ok() const { return std::holds_alternative<T>(m_state); }
    explicit operator bool() const { return ok(); }
    /// The value; only when it succeeded.
    const T& value() const& { return std::get<T>(m_state); }
    T&& value() && { return std::get<T>(std::move(m_state)); }
    /// Why it failed; only when it did.
    const Problem& problem() const { return std::get<Problem>(m_state); }
    /// The value, or the problem thrown as a Failure (inside a guarded step).
    T orRaise() &&
    {
        if (!ok())
            problem().raise();
        return std::get<T>(std::move(m_state));
    }

private:
    std::variant<T, Problem> m_state;
};

/// What an operation without a value came to: success, or the problem that stopped it.
class [[nodiscard]] Outcome {
public:
    /// Succeeded.
    Outcome() = default;
    /// Failed for this reason.
    Outcome(Problem problem)
        : m_problem(std::move(problem))
    {
    }
    /// Failed with this status and description.
    Outcome(Failure::Status status, QString description)
        : m_problem(Problem{status, std::move(description)})
    {
    }

    /// Whether it succeeded.
    bool ok() const { return !m_problem; }
    explicit operator bool() const { return ok(); }
    /// Why it failed; only when it did.
    const Problem& problem() const { return *m_problem; }
    /// Throws the problem as a Failure when it failed (inside a guarded step).
    void orRaise() const
    {
        if (m_problem)
            m_problem->raise();
    }

private:
    std::optional<Problem> m_problem;
};

} // namespace quillory
