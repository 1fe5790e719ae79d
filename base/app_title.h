// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

namespace quillory {

/// The product's full title.
inline constexpr char16_t ProductTitle[] = u"Quillory";

/// The short title of message boxes that name none: the product title without its last word,
/// then without further words while longer than 40 characters. A title without blanks stays
/// whole.
QString shortApplicationTitle(const QString& productTitle);

/// The application title in force (set at start-up).
QString applicationTitle();

/// Sets the application title shown by message boxes without a title of their own.
void setApplicationTitle(const QString& title);

} // namespace quillory
