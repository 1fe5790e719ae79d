// SPDX-License-Identifier: MIT

#include "document/layout/fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QStringList>

#include <mutex>

namespace quillory::doc {

using namespace Qt::StringLiterals;

void installFontSubstitutions()
{
    const QStringList installed = QFontDatabase::families();
    const QString emoji = u"Symbola"_s;
    const std::pair<QString, QString> standIns[] = {
        {u"Century Gothic"_s, u"URW Gothic"_s},
        {u"Arial"_s, u"Liberation Sans"_s},
    };
    for (const auto& [original, standIn] : standIns) {
        // Qt tries a family's substitutes, in order, before the system's fallback fonts.
        QStringList substitutes{emoji};
        if (!installed.contains(original, Qt::CaseInsensitive))
            substitutes.prepend(standIn);
        QFont::insertSubstitutions(original, substitutes);
    }
}

QFont::Weight boldWeight(const QFont& font)
{
    static std::mutex mutex;
    static QHash<QString, QFont::Weight> weights;
    const std::lock_guard lock(mutex);
    const QString requested = font.family();
    const auto known = weights.constFind(requested);
    if (known != weights.constEnd())
        return *known;
    QFont bold(font);
    bold.setWeight(QFont::Bold);
    const QString family = QFontInfo(bold).family();
    int heaviest = 0;
    for (const QString& style : QFontDatabase::styles(family)) {
        if (!QFontDatabase::italic(family, style))
            heaviest = std::max(heaviest, QFontDatabase::weight(family, style));
    }
    const QFont::Weight weight =
        heaviest > QFont::Normal && heaviest < QFont::Bold ? QFont::Weight(heaviest) : QFont::Bold;
    weights.insert(requested, weight);
    return weight;
}

} // namespace quillory::doc
