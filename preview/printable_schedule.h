// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"
#include "calendar/school_week.h"
#include "document/layout/layout.h"
#include "document/rtf/model.h"
#include "document/saved_documents.h"

#include <memory>
#include <optional>

namespace quillory {

/// The working document read and laid out, once, for what needs more than its bytes: the PDF
/// and printing.
class LaidOutSchedule {
public:
    /// The document and its layout.
    explicit LaidOutSchedule(doc::SharedDocument shared);
    /// Reads the working document held open (never by its name) and lays it out; throws Failure
    /// when it cannot be read.
    static std::shared_ptr<const LaidOutSchedule> read(const OwnFile& wordDocument);

    /// The document as read.
    const doc::Document& document() const { return *m_shared.document; }
    /// Its layout.
    const doc::DocumentLayout& layout() const { return *m_shared.layout; }

private:
    doc::SharedDocument m_shared;
};

/// The working document the preview was given, held open since its creation: the model the run
/// saved and the layout its picture was recorded from, while the file is still as saved, else
/// read and laid out when first needed. The PDF and printing share that one layout.
class WorkingSchedule {
public:
    /// Holds the document open, with the week it was made of, and takes the run's model and
    /// layout of it; nothing is read yet.
    explicit WorkingSchedule(std::shared_ptr<const OwnFile> file, SchoolWeek week = {});

    /// The document held open.
    const OwnFile& file() const { return *m_file; }
    /// The week as typed: what the calendar file is made of, never text read back from the
    /// document.
    const SchoolWeek& week() const { return m_week; }
    /// The document read and laid out (the run's own while the file is still as saved), at the
    /// first call; throws Failure when it cannot be read (and tries again at the next call).
    std::shared_ptr<const LaidOutSchedule> laidOut() const;

private:
    std::shared_ptr<const OwnFile> m_file;
    SchoolWeek m_week;
    std::optional<doc::SharedDocument> m_saved; ///< keeps the run's model while the preview lives
    mutable std::shared_ptr<const LaidOutSchedule> m_laidOut;
};

} // namespace quillory
