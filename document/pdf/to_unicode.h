// SPDX-License-Identifier: MIT

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <map>
#include <vector>

namespace quillory::doc {

/// What a font's ToUnicode map gives each character code (a CID of a two-byte font) that it
/// maps.
using CodeTexts = std::map<int, QString>;

/// Reads a ToUnicode map's bfchar and bfrange entries; what cannot be read is left out.
CodeTexts readToUnicode(QByteArrayView cmap);

/// A ToUnicode map for a two-byte font that gives code i the text texts[i]; empty texts are
/// left out.
QByteArray writeToUnicode(const std::vector<QString>& texts);

/// A text with each compatibility character replaced by the characters it stands for: a
/// ligature by its letters, a radical by its ideograph, an Arabic presentation form by its
/// letter.
QString withoutCompatibilityForms(const QString& text);

} // namespace quillory::doc
