// SPDX-License-Identifier: MIT
// One zoom step of the preview window on a page snapshot of 912 x 640 logical pixels rendered
// at device pixel ratio 2, shown on a screen of ratio 2: the click, the scaled picture and the
// repaint; scrolling a picture as tall as a 1,000-class schedule's; and a real 1,000- and
// 5,000-class schedule pictured at its lowered ratio: laying it out for full resolution, and a
// line or a page of scrolling painted from that layout or, for comparison, from the snapshot.
// Runs offscreen.
#include "bench/bench_support.h"
#include "document/document_file.h"
#include "document/layout/layout.h"
#include "document/paint/renderer.h"
#include "preview/form2.h"
#include "preview/laid_out_schedule.h"
#include "preview/picture_area.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/window_controls.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <map>

#include <benchmark/benchmark.h>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

QImage pageSnapshot()
{
    QImage page(1824, 1280, QImage::Format_RGB32);
    page.setDevicePixelRatio(2);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setFont(QFont(u"Liberation Sans"_s, 10));
    for (int row = 0; row < 30; ++row) {
        painter.drawLine(40, 60 + row * 19, 872, 60 + row * 19);
        painter.drawText(48, 74 + row * 19, u"Mathematics  Exercise %1, pages 12 to 14"_s.arg(row));
    }
    return page;
}

// A 1,000-class schedule's picture: 912 x 58,000 logical pixels at ratio 2 (over 800 MB).
QImage tallSnapshot()
{
    QImage tall(1824, 116000, QImage::Format_RGB32);
    tall.setDevicePixelRatio(2);
    tall.fill(Qt::white);
    return tall;
}

struct ShownPreview {
    explicit ShownPreview(const QImage& snapshot = pageSnapshot())
    {
        form.setPicture(snapshot);
        form.show();
        QCoreApplication::processEvents();
    }
    void click(QPushButton* button)
    {
        button->click();
        QCoreApplication::processEvents(); // the repaint
    }
    test::ScriptedPrompts prompts;
    Form2 form;
};

// Zooms from the start level to the next one (timed) and back (not timed).
void zoomStep(benchmark::State& state, int stepsOutFirst, bool zoomIn)
{
    ShownPreview preview;
    for (int i = 0; i < stepsOutFirst; ++i)
        preview.click(test::Form2Controls(preview.form).PushButton2);
    QPushButton* forth = zoomIn ? test::Form2Controls(preview.form).PushButton1
                                : test::Form2Controls(preview.form).PushButton2;
    QPushButton* back = zoomIn ? test::Form2Controls(preview.form).PushButton2
                               : test::Form2Controls(preview.form).PushButton1;
    int shownWidth = 0;
    for (auto _ : state) {
        preview.click(forth);
        state.PauseTiming();
        shownWidth = test::Form2Controls(preview.form).Picture1->picture().width();
        preview.click(back);
        state.ResumeTiming();
    }
    state.counters["device_px_wide"] = shownWidth;
}

// One step of the vertical bar over a tall picture: only the viewport is painted again.
void scrollTallPicture(benchmark::State& state)
{
    ShownPreview preview(tallSnapshot());
    QScrollBar* bar = test::Form2Controls(preview.form).VScroll1;
    int value = 0;
    for (auto _ : state) {
        value = (value + 1) % bar->maximum();
        bar->setValue(value);
        QCoreApplication::processEvents(); // the repaint
    }
}

// A schedule of that many classes saved as the working document, and its layout.
struct LongSchedule {
    explicit LongSchedule(int classes)
        : wordFile(test::saveSchedule({u"Ann"_s, u"Sep 6, 2021"_s, test::numberedClasses(classes)},
                                      folder.path(), u"dravik%1"_s.arg(classes)))
        , layout(doc::layOutDocument(doc::readDocumentFile(wordFile)))
    {
    }
    QTemporaryDir folder;
    QString wordFile;
    doc::DocumentLayout layout;
};

const LongSchedule& longSchedule(int classes)
{
    static std::map<int, std::unique_ptr<LongSchedule>> made;
    std::unique_ptr<LongSchedule>& schedule = made[classes];
    if (!schedule)
        schedule = std::make_unique<LongSchedule>(classes);
    return *schedule;
}

// Reading and laying out the working document, as the preview does once the snapshot is shown,
// and how much the process's resident memory grows meanwhile.
void layOutForFullResolution(benchmark::State& state)
{
    const LongSchedule& schedule = longSchedule(int(state.range(0)));
    bench::resetPeakMemory();
    const long before = bench::peakMegabytes();
    const OwnFile document(schedule.wordFile);
    for (auto _ : state)
        benchmark::DoNotOptimize(LaidOutSchedule::read(document));
    state.counters["peak_growth_MB"] = double(bench::peakMegabytes() - before);
}

// One key press over the schedule's snapshot at its lowered ratio, repainted from the layout at
// full resolution (from_layout 1) or stretched from the snapshot (0): Down, or PageDown (page 1).
void scrollLongSchedule(benchmark::State& state)
{
    const LongSchedule& schedule = longSchedule(int(state.range(0)));
    ShownPreview preview(
        doc::renderMainText(schedule.layout, doc::pictureRatio(schedule.layout, 2.0)));
    preview.form.setWordFile(std::make_shared<const OwnFile>(schedule.wordFile));
    PictureArea* picture = test::Form2Controls(preview.form).Picture1;
    QCoreApplication::processEvents(); // the first paint, then the layout
    if (!QTest::qWaitFor([&] { return picture->paintsFullResolution(); }, 60000))
        state.SkipWithError("the layout did not arrive");
    if (state.range(1) == 0)
        picture->setFullResolution(nullptr);
    const Qt::Key key = state.range(2) ? Qt::Key_PageDown : Qt::Key_Down;
    for (auto _ : state) {
        QTest::keyClick(&preview.form, key);
        QCoreApplication::processEvents(); // the repaint
        if (-picture->y() + 2000 > picture->height()) {
            state.PauseTiming();
            QTest::keyClick(&preview.form, Qt::Key_Home);
            state.ResumeTiming();
        }
    }
}

} // namespace

BENCHMARK(layOutForFullResolution)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(scrollLongSchedule)
    ->ArgNames({"classes", "from_layout", "page"})
    ->ArgsProduct({{5000}, {1, 0}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(scrollTallPicture)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(zoomStep, out_1_00_to_0_75, 0, false)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(zoomStep, in_0_75_to_1_00, 1, true)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(zoomStep, in_0_50_to_0_75, 2, true)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
