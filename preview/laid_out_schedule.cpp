// SPDX-License-Identifier: MIT

#include "preview/laid_out_schedule.h"

#include "document/document_file.h"

namespace quillory {

std::shared_ptr<const LaidOutSchedule> LaidOutSchedule::read(const OwnFile& wordDocument)
{
    return std::shared_ptr<const LaidOutSchedule>(
        new LaidOutSchedule(doc::readDocument(wordDocument.readAll(), wordDocument.path())));
}

LaidOutSchedule::LaidOutSchedule(doc::Document document)
    : m_document(std::move(document))
    , m_layout(doc::layOutDocument(m_document))
{
}

WorkingSchedule::WorkingSchedule(std::shared_ptr<const OwnFile> file)
    : m_file(std::move(file))
{
}

std::shared_ptr<const LaidOutSchedule> WorkingSchedule::laidOut() const
{
    if (!m_laidOut)
        m_laidOut = LaidOutSchedule::read(*m_file);
    return m_laidOut;
}

} // namespace quillory
