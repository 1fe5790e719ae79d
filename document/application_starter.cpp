#include "document/application_starter.h"

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

void setApplicationStarter(ApplicationStarter starter)
{
    installedStarter() = std::move(starter);
}

} // namespace quillory::doc
