// SPDX-License-Identifier: MIT

#include "document/automation/application_starter.h"

#include "base/failure.h"

namespace quillory::doc {

namespace {

ApplicationStarter& installedStarter()
{
    static ApplicationStarter starter;
    return starter;
}

} // namespace

std::unique_ptr<Application> startApplication()
{
    if (const ApplicationStarter& starter = installedStarter())
        return starter();
    return std::make_unique<Application>();
}

Application& running(const std::unique_ptr<Application>& instance)
{
    if (!instance)
        throw Failure(Failure::InvalidState,
                      QStringLiteral("The document component is not running."));
    return *instance;
}

void setApplicationStarter(ApplicationStarter starter)
{
    installedStarter() = std::move(starter);
}

} // namespace quillory::doc
