// SPDX-License-Identifier: MIT

#include "generation/template_copy.h"

#include "base/failure.h"
#include "base/file_system.h"
#include "base/working_files.h"

namespace quillory {

using namespace Qt::StringLiterals;

namespace {

// The "XXXXXX" is drawn at random, so nobody can take the name first.
constexpr char16_t PrivateCopyPattern[] = u"template-XXXXXX.dot";

// The file at the shared name, opened, when this run may use it; nothing and the reason
// otherwise.
std::unique_ptr<OwnFile> usableLeftover(const QString& path, const QByteArray& bytes,
                                        QString& refusal)
{
    try {
        auto file = std::make_unique<OwnFile>(path);
        if (file->readAll() == bytes)
            return file;
        refusal =
            u"%1 is not a template copy this program wrote; only such a copy is used."_s.arg(path);
    } catch (const Failure& failure) {
        refusal = failure.description();
    }
    return nullptr;
}

std::unique_ptr<OwnFile> privateCopy(const QByteArray& bytes, const QString& folder)
{
    const WrittenFile written =
        writePrivateFile(folder, QString::fromUtf16(PrivateCopyPattern), bytes).orRaise();
    trackWorkingFile(written.path, written.identity);
    auto file = std::make_unique<OwnFile>(written.path);
    if (file->identity() != written.identity)
        throw Failure(Failure::NotOwnFile,
                      u"%1 was replaced before it could be opened."_s.arg(written.path));
    return file;
}

} // namespace

TemplateCopy placeTemplateCopy(const QByteArray& bytes, const QString& folder)
{
    const QString shared = joinPath(folder, QString::fromUtf16(TemplateCopyFileName));
    if (!FileExists(shared)) {
        // Something may have taken the name meanwhile, or a dangling link holds it: judged
        // below as any file found there.
        if (const Outcome written = WriteBytesToFile(bytes, shared);
            !written && !identityAt(shared))
            written.orRaise();
    }
    TemplateCopy copy;
    copy.file = usableLeftover(shared, bytes, copy.refusal);
    if (copy.file) {
        trackWorkingFile(shared, copy.file->identity());
        return copy;
    }
    copy.file = privateCopy(bytes, folder);
    copy.refusal += u" It is left untouched; this schedule is made from a private copy of the "
                    u"template."_s;
    return copy;
}

} // namespace quillory
