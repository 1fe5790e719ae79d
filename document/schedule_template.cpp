#include "document/schedule_template.h"

#include "app/core/failure.h"

#include <QFile>

namespace quillory::doc {

using namespace Qt::StringLiterals;

QByteArray templateBytes()
{
    QFile resource(u":/template.dot"_s);
    if (!resource.open(QIODevice::ReadOnly))
        throw Failure(u"The template cannot be read from the program's resources."_s);
    return resource.readAll();
}

} // namespace quillory::doc
