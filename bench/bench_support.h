// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace quillory::bench {

/// How long something took: on a machine shared with other work, wall time includes waiting
/// for a core, processor time does not.
struct Timing {
    double wallMs = 0;
    double cpuMs = 0;
};

/// Wall and processor time of one run of the action; the processor time is this process's.
Timing timeOnce(const std::function<void()>& action);

/// The median wall and the median processor time of the timings, each on its own.
Timing medianOf(const std::vector<Timing>& timings);

/// The median wall and the median processor time over `runs` runs of the action.
Timing medianTiming(int runs, const std::function<void()>& action);

/// Prints one row of a table of medians: what was timed, how often, wall and processor time in
/// milliseconds, and a note.
void printTiming(const char* what, int runs, const Timing& timing, const QString& note = {});

/// The process's peak resident memory so far, in megabytes.
long peakMegabytes();

/// Lowers the process's peak resident memory to what it holds now, so that peakMegabytes tells
/// the peak of what follows (Linux); false when the system refuses.
bool resetPeakMemory();

/// One LibreOffice conversion of the document to PDF into `outDir`, with the private profile in
/// the folder `profile`; its processor time is the converter's own. Empty when LibreOffice
/// cannot do it.
std::optional<Timing> libreOfficeToPdf(const QString& document, const QString& profile,
                                       const QString& outDir);

} // namespace quillory::bench
