// SPDX-License-Identifier: MIT

#include "base/settings_format.h"
#include "base/settings_format_text.h"

#include <QMap>

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// A section's keys by name. A key read under the header "[]" begins with '/', so it joins the
// keys outside any section, and of two keys of the same name there the later one is written.
using IniSection = QMap<QString, const QVariant*>;

QByteArray sectionHeader(const QString& name)
{
    QByteArray escaped;
    ini::appendKey(escaped, name);
    if (escaped.isEmpty())
        return "[General]";
    // A section really named "General" must not read back as the keys outside any section.
    if (escaped.compare("general", Qt::CaseInsensitive) == 0)
        return "[%General]";
    return '[' + escaped + ']';
}

// The section is the key's part before its first '/'.
QMap<QString, IniSection> sectionsByName(const QSettings::SettingsMap& values)
{
    QMap<QString, IniSection> sections;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        const QString name = slash < 0 ? QString() : it.key().first(slash);
        sections[name].insert(it.key().sliced(slash + 1), &it.value());
    }
    return sections;
}

} // namespace

QByteArray writeIni(const QSettings::SettingsMap& values, const RawIniValues& raw)
{
    QByteArray out;
    const QMap<QString, IniSection> sections = sectionsByName(values);
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        if (section != sections.cbegin())
            out += '\n';
        out += sectionHeader(section.key()) + '\n';
        for (auto entry = section->cbegin(); entry != section->cend(); ++entry) {
            ini::appendKey(out, entry.key());
            out += '=';
            const QString key =
                section.key().isEmpty() ? entry.key() : section.key() + u'/' + entry.key();
            if (const auto kept = raw.constFind(key); kept != raw.cend())
                out += *kept;
            else
                ini::appendValue(out, **entry);
            out += '\n';
        }
    }
    return out;
}

} // namespace quillory
