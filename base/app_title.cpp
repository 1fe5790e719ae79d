// SPDX-License-Identifier: MIT

#include "base/app_title.h"

namespace quillory {

namespace {

constexpr qsizetype MaximumLength = 40;

QString withoutLastWord(const QString& title)
{
    const qsizetype blank = title.lastIndexOf(u' ');
    return blank < 0 ? title : title.left(blank);
}

QString current = QString::fromUtf16(ProductTitle);

} // namespace

QString shortApplicationTitle(const QString& productTitle)
{
    QString title = withoutLastWord(productTitle);
    while (title.size() > MaximumLength && title.contains(u' '))
        title = withoutLastWord(title);
    return title;
}

QString applicationTitle()
{
    return current;
}

void setApplicationTitle(const QString& title)
{
    current = title;
}

} // namespace quillory
