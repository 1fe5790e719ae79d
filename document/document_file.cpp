// SPDX-License-Identifier: MIT

#include "document/document_file.h"

#include "base/failure.h"
#include "document/rtf/rtf_reader.h"

#include <QFile>
#include <QFileInfo>

namespace quillory::doc {

using namespace Qt::StringLiterals;

void checkDocumentFile(const QString& path)
{
    if (path.isEmpty())
        throw Failure(Failure::InvalidArgument, u"No document was given."_s);
    const QFileInfo info(path);
    if (!info.exists())
        throw Failure(Failure::NotFound, u"The document %1 does not exist."_s.arg(path));
    if (!info.isFile())
        throw Failure(Failure::NotOwnFile, u"%1 is not a document file."_s.arg(path));
    if (info.size() > MaxRtfSize)
        throw Failure(Failure::TooLarge, u"The document %1 is too large to be opened."_s.arg(path));
}

namespace {

QByteArray readBytes(const QString& path)
{
    checkDocumentFile(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(Failure::SystemError,
                      u"The document %1 cannot be read: %2"_s.arg(path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Failure(Failure::SystemError,
                      u"The document %1 cannot be read: %2"_s.arg(path, file.errorString()));
    return bytes;
}

} // namespace

Document readDocumentFile(const QString& path)
{
    return readDocument(readBytes(path), path);
}

Document readDocument(const QByteArray& rtf, const QString& name)
{
    RtfReadResult read = readRtf(rtf);
    if (!read.document) {
        throw Failure(Failure::Malformed,
                      u"The document %1 cannot be opened: %2 (at byte %3)."_s.arg(
                          name, read.error, QString::number(read.offset)));
    }
    return std::move(*read.document);
}

} // namespace quillory::doc
