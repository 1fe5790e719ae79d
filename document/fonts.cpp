#include "document/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace quillory::doc {

using namespace Qt::StringLiterals;

void installFontSubstitutions()
{
    const QStringList installed = QFontDatabase::families();
    const std::pair<QString, QString> standIns[] = {
        {u"Century Gothic"_s, u"URW Gothic"_s},
        {u"Arial"_s, u"Liberation Sans"_s},
    };
    for (const auto& [original, standIn] : standIns) {
        if (!installed.contains(original, Qt::CaseInsensitive))
            QFont::insertSubstitution(original, standIn);
    }
}

} // namespace quillory::doc
