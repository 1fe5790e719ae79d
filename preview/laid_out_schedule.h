// SPDX-License-Identifier: MIT

#pragma once

#include "base/own_file.h"
#include "calendar/school_week.h"
#include "document/layout/layout.h"
#include "document/rtf/model.h"

#include <QRectF>

#include <memory>

class QPainter;

namespace quillory {

/// The working document read and laid out, once, for what needs more than its bytes: the part
/// of a long schedule in view painted at the screen's full resolution where the snapshot was
/// kept at a lower one, the PDF and printing.
class LaidOutSchedule {
public:
    /// Reads the working document held open (never by its name) and lays it out; throws Failure
    /// when it cannot be read.
    static std::shared_ptr<const LaidOutSchedule> read(const OwnFile& wordDocument);

    /// The document as read.
    const doc::Document& document() const { return m_document; }
    /// Its layout.
    const doc::DocumentLayout& layout() const { return m_layout; }

    /// Paints the part of the schedule's picture that lies in `area` (logical pixels from the
    /// picture's top-left corner, the painter's origin) at the painter's device resolution,
    /// exactly where the snapshot has it.
    void paint(QPainter& painter, const QRectF& area) const;

private:
    explicit LaidOutSchedule(doc::Document document);

    doc::Document m_document;
    doc::DocumentLayout m_layout;
};

/// The working document the preview was given, held open since its creation, and laid out when
/// first needed: the sharp picture, the PDF and printing then share one layout.
class WorkingSchedule {
public:
    /// Holds the document open, with the week it was made of; nothing is read yet.
    explicit WorkingSchedule(std::shared_ptr<const OwnFile> file, SchoolWeek week = {});

    /// The document held open.
    const OwnFile& file() const { return *m_file; }
    /// The week as typed: what the calendar file is made of, never text read back from the
    /// document.
    const SchoolWeek& week() const { return m_week; }
    /// The document read and laid out, at the first call; throws Failure when it cannot be read
    /// (and tries again at the next call).
    std::shared_ptr<const LaidOutSchedule> laidOut() const;

private:
    std::shared_ptr<const OwnFile> m_file;
    SchoolWeek m_week;
    mutable std::shared_ptr<const LaidOutSchedule> m_laidOut;
};

} // namespace quillory
