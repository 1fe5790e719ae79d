// SPDX-License-Identifier: MIT

#include "widgets/window_look.h"

#include "base/failure.h"
#include "widgets/window_pointer.h"

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

QFont arialBold(qreal points)
{
    QFont font(u"Arial"_s);
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

} // namespace

QFont windowFont()
{
    return arialBold(9);
}

QFont buttonFont()
{
    return arialBold(11.25);
}

QIcon programIcon()
{
    return QIcon(u":/quillory.png"_s);
}

QString handPointerPath()
{
    return programFolderFile(QString::fromUtf16(HandPointerFile));
}

Result<QCursor> loadHandPointer(const QString& path)
{
    const std::optional<QCursor> hand = loadCursorFile(path);
    if (!hand)
        return Problem{Failure::Malformed,
                       u"%1 is not a pointer file that can be read."_s.arg(path)};
    return *hand;
}

} // namespace quillory
