// SPDX-License-Identifier: MIT

#include "document/rtf/model.h"

namespace quillory::doc {

QString Paragraph::text() const
{
    QString joined;
    for (const Run& run : runs)
        joined += run.text;
    return joined;
}

} // namespace quillory::doc
