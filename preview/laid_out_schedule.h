// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"
#include "document/layout/layout.h"
#include "document/rtf/model.h"

#include <memory>

namespace quillory {

/// The working document read and laid out, once, for what needs more than its bytes: the PDF
/// and printing.
class LaidOutSchedule {
public:
    /// Reads the working document held open (never by its name) and lays it out; throws Failure
    /// when it cannot be read.
    static std::shared_ptr<const LaidOutSchedule> read(const OwnFile& wordDocument);

    /// The document as read.
    const doc::Document& document() const { return m_document; }
    /// Its layout.
    const doc::DocumentLayout& layout() const { return m_layout; }

private:
    explicit LaidOutSchedule(doc::Document document);

    doc::Document m_document;
    doc::DocumentLayout m_layout;
};

/// The working document the preview was given, held open since its creation, and laid out when
/// first needed: the PDF and printing then share one layout.
class WorkingSchedule {
public:
    /// Holds the document open; nothing is read yet.
    explicit WorkingSchedule(std::shared_ptr<const OwnFile> file);

    /// The document held open.
    const OwnFile& file() const { return *m_file; }
    /// The document read and laid out, at the first call; throws Failure when it cannot be read
    /// (and tries again at the next call).
    std::shared_ptr<const LaidOutSchedule> laidOut() const;

private:
    std::shared_ptr<const OwnFile> m_file;
    mutable std::shared_ptr<const LaidOutSchedule> m_laidOut;
};

} // namespace quillory
