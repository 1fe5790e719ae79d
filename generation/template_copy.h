// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace quillory {

/// The template copy's file name in the working folder.
inline constexpr char16_t TemplateCopyFileName[] = u"template.dot";

/// The template copy a run fills, held open, and why the file at the shared name was passed
/// over (empty when it was used).
struct TemplateCopy {
    std::unique_ptr<OwnFile> file;
    QString refusal;
};

/// Writes the template bytes to the folder's template copy unless a file has that name, and
/// opens it. A file found there is used only when it is the user's own plain file holding
/// exactly these bytes (a copy left by a run that was cut short); any other is never opened for
/// writing nor deleted, and the copy is made under a private name in the same folder instead.
/// Either copy is a working file of the run. Throws Failure when no copy can be written.
TemplateCopy placeTemplateCopy(const QByteArray& bytes, const QString& folder);

} // namespace quillory
