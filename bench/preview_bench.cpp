// SPDX-License-Identifier: MIT
// The preview window over recorded vector pictures, shown on a screen of ratio 2: one zoom step
// on the sample (the click and the repaint played back at the new zoom), recording a 1,000- and
// a 5,000-class schedule's picture from its layout, and a line or a page of scrolling over the
// 5,000-class one, each repaint playing back only the part in view. Runs offscreen.
#include "bench/bench_support.h"
#include "document/document_file.h"
#include "document/layout/layout.h"
#include "document/paint/renderer.h"
#include "preview/form2.h"
#include "preview/picture_area.h"
#include "tests/document/schedule_fixture.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/window_controls.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <map>

#include <benchmark/benchmark.h>

using namespace quillory;
using namespace Qt::StringLiterals;

namespace {

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

std::shared_ptr<const doc::VectorPicture> recorded(const doc::DocumentLayout& layout)
{
    return std::make_shared<const doc::VectorPicture>(doc::recordMainText(layout));
}

struct ShownPreview {
    explicit ShownPreview(std::shared_ptr<const doc::VectorPicture> snapshot)
    {
        form.setPicture(std::move(snapshot));
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
    ShownPreview preview(recorded(doc::layOutDocument(test::scheduleDocument())));
    for (int i = 0; i < stepsOutFirst; ++i)
        preview.click(test::Form2Controls(preview.form).PushButton2);
    QPushButton* forth = zoomIn ? test::Form2Controls(preview.form).PushButton1
                                : test::Form2Controls(preview.form).PushButton2;
    QPushButton* back = zoomIn ? test::Form2Controls(preview.form).PushButton2
                               : test::Form2Controls(preview.form).PushButton1;
    for (auto _ : state) {
        preview.click(forth);
        state.PauseTiming();
        preview.click(back);
        state.ResumeTiming();
    }
}

// Recording the picture from the layout, as CopyAsPicture does, and its size.
void recordLongSchedule(benchmark::State& state)
{
    const LongSchedule& schedule = longSchedule(int(state.range(0)));
    qint64 bytes = 0;
    for (auto _ : state)
        bytes = recorded(schedule.layout)->body().size();
    state.counters["MB"] = double(bytes) / (1024 * 1024);
}

// One key press over the schedule's picture: Down, or PageDown (page 1).
void scrollLongSchedule(benchmark::State& state)
{
    const LongSchedule& schedule = longSchedule(int(state.range(0)));
    ShownPreview preview(recorded(schedule.layout));
    PictureArea* picture = test::Form2Controls(preview.form).Picture1;
    const Qt::Key key = state.range(1) ? Qt::Key_PageDown : Qt::Key_Down;
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

BENCHMARK(recordLongSchedule)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(scrollLongSchedule)
    ->ArgNames({"classes", "page"})
    ->ArgsProduct({{5000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
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
