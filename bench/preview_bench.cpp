// One zoom step of the preview window on a page snapshot of 912 x 640 logical pixels rendered
// at device pixel ratio 2, shown on a screen of ratio 2: the click, the scaled picture and the
// repaint; and scrolling a picture as tall as a 1,000-class schedule's. Runs offscreen.
#include "preview/form2.h"
#include "preview/picture_area.h"
#include "tests/support/scripted_prompts.h"
#include "tests/support/window_controls.h"

#include <QApplication>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

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

} // namespace

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
