// SPDX-License-Identifier: MIT

#include "calendar/calendar_text.h"

#include <QCryptographicHash>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// Each part with its length before it, so no two keys run into the same bytes.
void addPart(QCryptographicHash& hash, const QString& part)
{
    const QByteArray bytes = part.toUtf8();
    const QByteArray framed = QByteArray::number(bytes.size()) + ':' + bytes;
    hash.addData(framed);
}

} // namespace

QString calendarText(const QString& typed)
{
    QString text;
    text.reserve(typed.size());
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar c = typed.at(i);
        if (c == u'\r') {
            text += u'\n';
            if (i + 1 < typed.size() && typed.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n' || c == u'\t' || !(c.unicode() < 0x20 || c.unicode() == 0x7f)) {
            text += c;
        }
    }
    return text;
}

bool holdsHomework(const QString& day)
{
    return !calendarText(day).trimmed().isEmpty();
}

QString eventTitle(const QString& period, const QString& homework)
{
    QString line;
    for (const QString& candidate : calendarText(homework).split(u'\n')) {
        if (holdsHomework(candidate)) {
            line = candidate.trimmed();
            break;
        }
    }
    const QString label = calendarText(period).simplified();
    return label.isEmpty() ? line : label + u": "_s + line;
}

QString eventUid(const EventKey& key)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    addPart(hash, key.name);
    addPart(hash, key.period);
    addPart(hash, QString::number(key.occurrence));
    addPart(hash, key.day.toString(Qt::ISODate));
    return QString::fromLatin1(hash.result().toHex().left(32)) + u"@quillory"_s;
}

} // namespace quillory
