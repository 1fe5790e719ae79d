// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QWidget>

namespace quillory {

/// Gives a control the name and the description that assistive technology reads out.
inline void describe(QWidget* control, const QString& name, const QString& description)
{
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

} // namespace quillory
