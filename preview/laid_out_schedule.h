#pragma once

#include "base/own_file.h"
#include "document/layout.h"

#include <QRectF>

#include <memory>

class QPainter;

namespace quillory {

/// The working document laid out again, so that the part of the schedule in view can be painted
/// at the screen's full resolution where the snapshot was kept at a lower one.
class LaidOutSchedule {
public:
    /// Reads the working document held open (never by its name) and lays it out; nothing when
    /// it cannot be read.
    static std::unique_ptr<LaidOutSchedule> read(const OwnFile& wordDocument);

    /// Paints the part of the schedule's picture that lies in `area` (logical pixels from the
    /// picture's top-left corner, the painter's origin) at the painter's device resolution,
    /// exactly where the snapshot has it.
    void paint(QPainter& painter, const QRectF& area) const;

private:
    explicit LaidOutSchedule(doc::DocumentLayout layout);

    doc::DocumentLayout m_layout;
};

} // namespace quillory
