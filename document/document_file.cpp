// SPDX-License-Identifier: MIT

#include "document/document_file.h"

#include "base/failure.h"
#include "document/rtf/rtf_reader.h"

#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>

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

Failure cannotRead(const QString& name, int error)
{
    return Failure(Failure::SystemError,
                   u"The document %1 cannot be read: %2"_s.arg(name, systemReason(error)));
}

} // namespace

QByteArray readDocumentBytes(const FileDescriptor& file, const QString& name)
{
    const std::optional<struct stat> status = file.status();
    if (!status)
        throw cannotRead(name, errno);
    if (status->st_size > MaxRtfSize)
        throw Failure(Failure::TooLarge, u"The document %1 is too large to be opened."_s.arg(name));
    const std::optional<QByteArray> bytes = file.readFromStart(qsizetype(status->st_size));
    if (!bytes)
        throw cannotRead(name, errno);
    return *bytes;
}

Document readDocumentFile(const QString& path)
{
    checkDocumentFile(path);
    const FileDescriptor file = FileDescriptor::open(path, O_RDONLY);
    if (!file.isOpen())
        throw cannotRead(path, errno);
    return readDocument(readDocumentBytes(file, path), path);
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
