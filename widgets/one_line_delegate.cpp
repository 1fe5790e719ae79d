// SPDX-License-Identifier: MIT

#include "widgets/one_line_delegate.h"

namespace quillory {

using namespace Qt::StringLiterals;

QString oneLine(QString text)
{
    text.replace(u"\r\n"_s, u" "_s);
    for (QChar& c : text) {
        switch (c.unicode()) {
        case u'\n':
        case u'\r':
        case u'\v':
        case u'\f':
        case 0x85:
        case QChar::LineSeparator:
        case QChar::ParagraphSeparator: c = u' '; break;
        default: break;
        }
    }
    return text;
}

QString OneLineDelegate::displayText(const QVariant& value, const QLocale& locale) const
{
    if (value.typeId() != QMetaType::QString)
        return QStyledItemDelegate::displayText(value, locale);
    // Before Qt's own text: that turns LF into U+2028, which lays out as a new line.
    return QStyledItemDelegate::displayText(oneLine(value.toString()), locale);
}

} // namespace quillory
