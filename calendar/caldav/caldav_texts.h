// SPDX-License-Identifier: MIT

#pragma once

#include "calendar/caldav/caldav_status.h"

#include <QString>

namespace quillory::caldav {

struct PublishReport;

/// What went wrong and what to do about it, in a sentence or two for the user.
QString problemText(const ServerOutcome& outcome);

/// What publishing did: how many events it put, changed and removed, and, when anything failed,
/// the problem and every event that was not published or not removed (or that nothing was).
QString reportText(const PublishReport& report);

} // namespace quillory::caldav
