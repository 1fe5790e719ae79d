// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>

#include <utility>

namespace quillory::test {

/// Random settings and settings files that reach every corner of the INI format: all Unicode
/// ranges, control characters before hex digits, quotes, semicolons, '=', backslashes, outer
/// blanks, line ends, lone surrogates, Qt's @Type(...) markers, empty and huge values; and
/// damaged files (stray lines, binary junk, unclosed headers and quotes, duplicate keys and
/// sections, truncation).
class IniGenerator {
public:
    /// Starts the sequence from a seed, so every case can be replayed.
    explicit IniGenerator(quint32 seed)
        : m_random(seed)
    {
    }

    /// A value as the program might store it.
    QString text();
    /// A key path of one to three parts ("Quillory/Text1_0", "Top", "a/b/c").
    QString key();
    /// Keys with values, in no particular order; a key may come again with another value.
    QList<std::pair<QString, QString>> settings(int count);
    /// The bytes of a hand-edited or damaged settings file.
    QByteArray file();
    /// A number in [0, bound).
    int below(int bound) { return int(m_random.bounded(bound)); }

private:
    char16_t character();
    QByteArray rawKey();
    QByteArray rawValue();
    QByteArray line();
    QByteArray lineEnd();

    QRandomGenerator m_random;
};

} // namespace quillory::test
