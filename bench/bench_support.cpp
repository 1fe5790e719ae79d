// SPDX-License-Identifier: MIT

#include "bench/bench_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sys/resource.h>
#include <time.h>

namespace quillory::bench {

using namespace Qt::StringLiterals;

namespace {

double processorMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The processor time of the children that have ended and been waited for, with theirs.
double childrenMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto ms = [](const timeval& t) {
        return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

double medianOf(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double medianOf(const std::vector<Timing>& timings, double Timing::*part)
{
    std::vector<double> values;
    for (const Timing& timing : timings)
        values.push_back(timing.*part);
    return medianOf(values);
}

} // namespace

Timing timeOnce(const std::function<void()>& action)
{
    QElapsedTimer timer;
    const double cpuStart = processorMilliseconds();
    timer.start();
    action();
    const double wall = double(timer.nsecsElapsed()) / 1e6;
    return {wall, processorMilliseconds() - cpuStart};
}

Timing medianOf(const std::vector<Timing>& timings)
{
    return {medianOf(timings, &Timing::wallMs), medianOf(timings, &Timing::cpuMs)};
}

Timing medianTiming(int runs, const std::function<void()>& action)
{
    std::vector<Timing> timings;
    for (int run = 0; run < runs; ++run)
        timings.push_back(timeOnce(action));
    return medianOf(timings);
}

void printTiming(const char* what, int runs, const Timing& timing, const QString& note)
{
    std::printf("  %-40s %4d %10.2f %10.2f   %s\n", what, runs, timing.wallMs, timing.cpuMs,
                qPrintable(note));
}

long peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

bool resetPeakMemory()
{
    // "5" clears the peak the kernel keeps for the process (Linux 4.0 on).
    QFile clearRefs(u"/proc/self/clear_refs"_s);
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

std::optional<Timing> libreOfficeToPdf(const QString& document, const QString& profile,
                                       const QString& outDir)
{
    const QString output =
        QDir(outDir).filePath(QFileInfo(document).completeBaseName() + u".pdf"_s);
    QFile::remove(output);
    QProcess soffice;
    // Its chatter ("failed to launch javaldx") is shown only when the conversion fails.
    soffice.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList arguments{
        u"--headless"_s,   u"-env:UserInstallation="_s + QUrl::fromLocalFile(profile).toString(),
        u"--convert-to"_s, u"pdf"_s,
        u"--outdir"_s,     outDir,
        document};
    const double childrenBefore = childrenMilliseconds();
    QElapsedTimer timer;
    timer.start();
    soffice.start(u"soffice"_s, arguments);
    const bool finished = soffice.waitForFinished(600'000);
    const double wall = double(timer.nsecsElapsed()) / 1e6;
    // It says "no export filter" and still exits with 0: only the file tells.
    if (!finished || soffice.exitCode() != 0 || !QFile::exists(output)) {
        std::fprintf(stderr, "soffice: %s\n", soffice.readAll().constData());
        return std::nullopt;
    }
    return Timing{wall, childrenMilliseconds() - childrenBefore};
}

} // namespace quillory::bench
