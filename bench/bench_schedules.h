// SPDX-License-Identifier: MIT

#pragma once

#include "tests/document/schedule_fixture.h"

#include <QList>
#include <QString>

namespace quillory::bench {

/// `count` classes with homework of 20 to 60 characters on every day, different for each day.
QList<test::ClassRow> classes(int count);

/// The sample week with `count` such classes, saved as the program saves it in the folder as
/// `<fileName>.doc`; returns its path.
QString saveClasses(int count, const QString& folder, const QString& fileName);

} // namespace quillory::bench
