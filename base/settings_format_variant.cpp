// SPDX-License-Identifier: MIT

#include "base/settings_format_variant.h"

#include <QDataStream>
#include <QIODevice>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace quillory::ini {

using namespace Qt::StringLiterals;

namespace {

QString streamedText(const QVariant& value)
{
    const bool isDate = value.metaType().id() == QMetaType::QDateTime;
    QByteArray bytes;
    {
        QDataStream stream(&bytes, QIODevice::WriteOnly);
        stream.setVersion(isDate ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
        stream << value;
    }
    return (isDate ? u"@DateTime("_s : u"@Variant("_s) + QString::fromLatin1(bytes) + u')';
}

QVariant streamedValue(const QString& text)
{
    const bool isDate = text.at(1) == u'D';
    QByteArray bytes = QStringView(text).sliced(isDate ? 10 : 9).toLatin1();
    QDataStream stream(&bytes, QIODevice::ReadOnly);
    stream.setVersion(isDate ? QDataStream::Qt_5_6 : QDataStream::Qt_4_0);
    QVariant value;
    stream >> value;
    return value;
}

// The blank-separated numbers between the '(' at `open` and the closing ')'. A ')' inside
// ends an item without starting a new one, as Qt's reader does.
QStringList markerArguments(const QString& text, qsizetype open)
{
    QStringList arguments;
    QString item;
    for (qsizetype at = open + 1; at < text.size(); ++at) {
        const QChar c = text.at(at);
        if (c == u')') {
            arguments.append(item);
        } else if (c == u' ') {
            arguments.append(item);
            item.clear();
        } else {
            item.append(c);
        }
    }
    return arguments;
}

QVariant geometryValue(const QString& text)
{
    if (text.startsWith(u"@Rect("_s)) {
        const QStringList a = markerArguments(text, 5);
        if (a.size() == 4)
            return QRect(a[0].toInt(), a[1].toInt(), a[2].toInt(), a[3].toInt());
    } else if (text.startsWith(u"@Size("_s)) {
        const QStringList a = markerArguments(text, 5);
        if (a.size() == 2)
            return QSize(a[0].toInt(), a[1].toInt());
    } else if (text.startsWith(u"@Point("_s)) {
        const QStringList a = markerArguments(text, 6);
        if (a.size() == 2)
            return QPoint(a[0].toInt(), a[1].toInt());
    }
    return {};
}

QVariant markedValue(const QString& text)
{
    if (text.startsWith(u"@ByteArray("_s))
        return QStringView(text).sliced(11).chopped(1).toLatin1();
    if (text.startsWith(u"@String("_s))
        return QStringView(text).sliced(8).chopped(1).toString();
    if (text.startsWith(u"@Variant("_s) || text.startsWith(u"@DateTime("_s))
        return streamedValue(text);
    return geometryValue(text);
}

} // namespace

QString variantToText(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::UnknownType: return u"@Invalid()"_s;
    case QMetaType::QByteArray:
        return u"@ByteArray("_s + QString::fromLatin1(value.toByteArray()) + u')';
    case QMetaType::QKeySequence:
    case QMetaType::QString:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Bool:
    case QMetaType::Float:
    case QMetaType::Double: {
        const QString text = value.toString();
        if (text.contains(QChar::Null))
            return u"@String("_s + text + u')';
        return text.startsWith(u'@') ? u'@' + text : text;
    }
    case QMetaType::QRect: {
        const QRect r = value.toRect();
        return QString::asprintf("@Rect(%d %d %d %d)", r.x(), r.y(), r.width(), r.height());
    }
    case QMetaType::QSize: {
        const QSize s = value.toSize();
        return QString::asprintf("@Size(%d %d)", s.width(), s.height());
    }
    case QMetaType::QPoint: {
        const QPoint p = value.toPoint();
        return QString::asprintf("@Point(%d %d)", p.x(), p.y());
    }
    default: return streamedText(value);
    }
}

QVariant textToVariant(const QString& text)
{
    if (!text.startsWith(u'@'))
        return text;
    if (text.endsWith(u')')) {
        if (text == u"@Invalid()"_s)
            return {};
        if (QVariant marked = markedValue(text); marked.isValid())
            return marked;
        // A @Variant(...) that does not stream back is an invalid value, not its text.
        if (text.startsWith(u"@Variant("_s) || text.startsWith(u"@DateTime("_s))
            return {};
    }
    return text.startsWith(u"@@"_s) ? text.sliced(1) : text;
}

QVariant listToVariant(const QStringList& items)
{
    QStringList texts = items;
    for (QString& text : texts) {
        if (!text.startsWith(u'@'))
            continue;
        if (text.size() < 2 || text.at(1) != u'@') {
            QVariantList values;
            values.reserve(items.size());
            for (const QString& item : items)
                values.append(textToVariant(item));
            return values;
        }
        text.remove(0, 1);
    }
    return texts;
}

} // namespace quillory::ini
