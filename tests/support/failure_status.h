// SPDX-License-Identifier: MIT

#pragma once

#include "base/result.h"

#include <QMetaType>

#include <functional>
#include <optional>

namespace quillory::test {

/// What the action failed with, or nothing when it succeeded; a failure without a description
/// fails the running test.
std::optional<Failure::Status> failureOf(const std::function<void()>& action);

/// What the operation failed with, or nothing when it succeeded; a failure without a
/// description fails the running test.
std::optional<Failure::Status> failureOf(const Outcome& outcome);

/// Fails the running test (and says why) when the outcome, which a test needs, failed.
void require(const Outcome& outcome);

/// Fails the running test (and says why) when the result, which a test needs, failed.
template <typename T> void require(const Result<T>& result)
{
    require(result ? Outcome() : Outcome(result.problem()));
}

/// The value of a result a test needs; fails the running test when there is none.
template <typename T> T valueOf(Result<T> result)
{
    require(result);
    return result ? std::move(result).value() : T();
}

/// What the result failed with, or nothing when it succeeded.
template <typename T> std::optional<Failure::Status> failureOf(const Result<T>& result)
{
    return failureOf(result ? Outcome() : Outcome(result.problem()));
}

} // namespace quillory::test

namespace quillory {

/// How QTest shows a status that was found or expected: its number, or "none".
char* toString(const std::optional<Failure::Status>& status);

} // namespace quillory

Q_DECLARE_METATYPE(quillory::Failure::Status)
Q_DECLARE_METATYPE(std::optional<quillory::Failure::Status>)
