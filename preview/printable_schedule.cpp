// SPDX-License-Identifier: MIT

#include "preview/laid_out_schedule.h"

namespace quillory {

LaidOutSchedule::LaidOutSchedule(doc::SharedDocument shared)
    : m_shared(std::move(shared))
{
}

std::shared_ptr<const LaidOutSchedule> LaidOutSchedule::read(const OwnFile& wordDocument)
{
    return std::make_shared<const LaidOutSchedule>(
        doc::readLaidOutDocument(wordDocument.descriptor(), wordDocument.path()));
}

WorkingSchedule::WorkingSchedule(std::shared_ptr<const OwnFile> file, SchoolWeek week)
    : m_file(std::move(file))
    , m_week(std::move(week))
    , m_saved(doc::takeSavedDocument(m_file->descriptor()))
{
}

std::shared_ptr<const LaidOutSchedule> WorkingSchedule::laidOut() const
{
    if (!m_laidOut)
        m_laidOut = LaidOutSchedule::read(*m_file);
    return m_laidOut;
}

} // namespace quillory
