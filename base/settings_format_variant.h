// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

// How Qt's INI format turns values into texts and back: plain texts, numbers and booleans as
// themselves (a leading '@' doubled), everything else as an @Type(...) marker.
namespace quillory::ini {

/// The text that stands for a value.
QString variantToText(const QVariant& value);

/// The value a text stands for.
QVariant textToVariant(const QString& text);

/// The value a comma-separated list stands for: a list of texts, or of values when an item is
/// an @Type(...) marker.
QVariant listToVariant(const QStringList& items);

} // namespace quillory::ini
