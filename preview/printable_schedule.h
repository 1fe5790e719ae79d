// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"
#include "calendar/school_week.h"
#include "document/paint/vector_picture.h"
#include "document/rtf/model.h"
#include "document/saved_documents.h"

#include <QString>

#include <memory>
#include <optional>

namespace quillory {

/// The working document as paper shows it: the picture of its pages (recorded from its one
/// layout), its paper and margins and its title. What the PDF and printing are made of; the
/// model itself is not kept.
class PrintableSchedule {
public:
    /// The document's picture, recorded now from the model when none was recorded of it.
    explicit PrintableSchedule(const doc::SharedDocument& shared);

    /// The pages, as recorded.
    const doc::VectorPicture& picture() const { return *m_picture; }
    /// The paper and its margins.
    const doc::PageSetup& page() const { return m_page; }
    /// The title line before its date, for the PDF's title and the print job's name.
    const QString& title() const { return m_title; }

private:
    std::shared_ptr<const doc::VectorPicture> m_picture;
    doc::PageSetup m_page;
    QString m_title;
};

/// The working document the preview was given, held open since its creation: the picture the
/// run recorded of the model it saved, while the file is still as saved, else the file as it
/// stands read and recorded when needed. The PDF and printing share that one picture.
class WorkingSchedule {
public:
    /// Holds the document open, with the week it was made of, and takes the run's model and
    /// picture of it; of the model, only what paper needs is kept.
    explicit WorkingSchedule(std::shared_ptr<const OwnFile> file, SchoolWeek week = {});

    /// The document held open.
    const OwnFile& file() const { return *m_file; }
    /// The week as typed: what the calendar file is made of, never text read back from the
    /// document.
    const SchoolWeek& week() const { return m_week; }
    /// The document as paper shows it (the run's own picture while the file is still as saved);
    /// throws Failure when it cannot be read (and tries again at the next call).
    std::shared_ptr<const PrintableSchedule> printable() const;
    /// The document's model: the run's while the file is still as saved and the model is still
    /// held, else the file as it stands read now; throws Failure when it cannot be read.
    std::shared_ptr<const doc::Document> document() const;

private:
    std::optional<FileStamp> stamp() const;

    std::shared_ptr<const OwnFile> m_file;
    SchoolWeek m_week;
    mutable std::optional<doc::SharedDocument> m_saved; ///< the run's model, until recorded
    std::optional<FileStamp> m_savedStamp;              ///< the file as it was saved
    mutable std::shared_ptr<const PrintableSchedule> m_printable;
    mutable std::optional<FileStamp> m_printableStamp; ///< the file it was made of
};

} // namespace quillory
