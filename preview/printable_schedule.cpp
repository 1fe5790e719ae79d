// SPDX-License-Identifier: MIT

#include "preview/printable_schedule.h"

#include "document/paint/paged_output.h"
#include "document/paint/renderer.h"

namespace quillory {

PrintableSchedule::PrintableSchedule(const doc::SharedDocument& shared)
    : m_picture(shared.picture ? shared.picture
                               : std::make_shared<const doc::VectorPicture>(
                                     doc::recordDocument(*shared.document)))
    , m_page(shared.document->page)
    , m_title(doc::scheduleTitle(*shared.document))
{
}

WorkingSchedule::WorkingSchedule(std::shared_ptr<const OwnFile> file, SchoolWeek week)
    : m_file(std::move(file))
    , m_week(std::move(week))
    , m_saved(doc::takeSavedDocument(m_file->descriptor()))
    , m_savedStamp(stamp())
{
    // With its picture recorded, the run's model is needed no longer.
    if (m_saved && m_saved->picture) {
        m_printable = std::make_shared<const PrintableSchedule>(*m_saved);
        m_printableStamp = m_savedStamp;
        m_saved.reset();
    }
}

std::shared_ptr<const PrintableSchedule> WorkingSchedule::printable() const
{
    const std::optional<FileStamp> now = stamp();
    if (m_printable && m_printableStamp == now)
        return m_printable;
    // A file changed in place since is read as it stands now.
    const doc::SharedDocument document =
        m_saved && m_savedStamp == now
            ? *m_saved
            : doc::SharedDocument{doc::openDocument(m_file->descriptor(), m_file->path()), nullptr};
    m_printable = std::make_shared<const PrintableSchedule>(document);
    m_printableStamp = now;
    m_saved.reset();
    return m_printable;
}

std::shared_ptr<const doc::Document> WorkingSchedule::document() const
{
    if (m_saved && m_savedStamp == stamp())
        return m_saved->document;
    return doc::openDocument(m_file->descriptor(), m_file->path());
}

std::optional<FileStamp> WorkingSchedule::stamp() const
{
    const std::optional<struct stat> status = m_file->descriptor().status();
    return status ? std::optional(FileStamp::of(*status)) : std::nullopt;
}

} // namespace quillory
