// SPDX-License-Identifier: MIT

#pragma once

#include <QStyledItemDelegate>

namespace quillory {

/// The text with every line break (LF, CR, CR LF, VT, FF, NEL, U+2028, U+2029) turned into one
/// blank, so that it shows on one line.
QString oneLine(QString text);

/// Shows every row of a list one line high, whatever line breaks its texts hold: they show as
/// blanks there (the whole texts stay in the model).
class OneLineDelegate final : public QStyledItemDelegate {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OneLineDelegate)

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    /// The text as the list shows it, on one line.
    QString displayText(const QVariant& value, const QLocale& locale) const override;
};

} // namespace quillory
