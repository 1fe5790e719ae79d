// SPDX-License-Identifier: MIT

#include "resources/schedule_template.h"

#include "base/failure.h"

#include <QFile>

namespace quillory {

using namespace Qt::StringLiterals;

QByteArray templateBytes()
{
    QFile resource(u":/template.dot"_s);
    if (!resource.open(QIODevice::ReadOnly))
        throw Failure(Failure::NotFound,
                      u"The template cannot be read from the program's resources."_s);
    return resource.readAll();
}

} // namespace quillory
