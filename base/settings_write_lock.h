// SPDX-License-Identifier: MIT

#pragma once

#include "base/result.h"

#include <QString>

namespace quillory {

/// Makes sure the lock that guards writing the settings file (Qt's, at `lockPath`) can be taken
/// now, so that a write never waits on it without end: what is no lock file at its name is
/// removed, a lock that names no holder and that no live process holds is removed at once,
/// and a lock that another process holds must be given up within `waitMs`. Fails saying why
/// not.
Outcome clearSettingsWriteLock(const QString& lockPath, int waitMs);

} // namespace quillory
