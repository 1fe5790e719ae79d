// SPDX-License-Identifier: MIT

#pragma once

#include "document/automation/application.h"

#include <functional>
#include <memory>

namespace quillory::doc {

using automation::Application;

/// Makes a new instance of the document component.
using ApplicationStarter = std::function<std::unique_ptr<Application>()>;

/// Starts a new instance of the document component; throws Failure when it cannot.
std::unique_ptr<Application> startApplication();

/// The started instance; throws Failure when none was started, so that each later operation
/// of a procedure whose start failed is reported in turn.
Application& running(const std::unique_ptr<Application>& instance);

/// Replaces how instances start (tests make starting fail); an empty starter restores the real one.
void setApplicationStarter(ApplicationStarter starter);

} // namespace quillory::doc
