// SPDX-License-Identifier: MIT

#include "tests/support/failure_status.h"

#include <QTest>

namespace quillory::test {

std::optional<Failure::Status> failureOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const Failure& failure) {
        if (failure.description().isEmpty())
            QTest::qFail("a failure without a description", __FILE__, __LINE__);
        return failure.status();
    }
    return std::nullopt;
}

std::optional<Failure::Status> failureOf(const Outcome& outcome)
{
    if (outcome)
        return std::nullopt;
    if (outcome.problem().description.isEmpty())
        QTest::qFail("a failure without a description", __FILE__, __LINE__);
    return outcome.problem().status;
}

void require(const Outcome& outcome)
{
    if (!outcome)
        QTest::qFail(outcome.problem().description.toUtf8().constData(), __FILE__, __LINE__);
}

} // namespace quillory::test

namespace quillory {

char* toString(const std::optional<Failure::Status>& status)
{
    return qstrdup(status ? QByteArray::number(int(*status)).constData() : "none");
}

} // namespace quillory
