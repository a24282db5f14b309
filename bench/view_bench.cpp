// Paints of the canvas and the plot, offscreen, at scale 1 and 2, and one
// tick of the whole window: the handler, the widgets brought up to date and
// the repaint of what changed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include "model/form.h"
#include "view/diagram_canvas.h"
#include "view/main_window.h"
#include "view/plot_box.h"

namespace transistor {
namespace {

Form Settled(FixedSeedRandom &rnd, int ticks) {
    Form f;
    Form_Load(f);
    Command1_Click(f, rnd);
    for (int i = 0; i < ticks; ++i) Timer1_Timer(f, rnd);
    return f;
}

// Renders the widget in full into an image of the given device pixel ratio.
void Render(benchmark::State &state, QWidget &widget) {
    const qreal scale = static_cast<qreal>(state.range(0));
    QImage image(widget.size() * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    widget.render(&image); // the first paint may fill caches
    for (auto _ : state) {
        widget.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void BM_CanvasPaint(benchmark::State &state) {
    FixedSeedRandom rnd;
    const Form f = Settled(rnd, 2000);
    DiagramCanvas canvas(f.ctl);
    canvas.resize(661, 625); // the whole window description, lower strip included
    Render(state, canvas);
}
BENCHMARK(BM_CanvasPaint)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_PlotPaint(benchmark::State &state) {
    FixedSeedRandom rnd;
    // A sweep just before its end: 1330 points.
    const Form f = Settled(rnd, 1330);
    PlotBox plot(f.ctl.Picture1);
    plot.resize(177, 97);
    Render(state, plot);
}
BENCHMARK(BM_PlotPaint)->ArgName("scale")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// One tick of the window as the user sees it, at the scale of the process
// (QT_SCALE_FACTOR).
void BM_WindowTick(benchmark::State &state) {
    MainWindow window;
    window.show();
    FixedSeedRandom rnd;
    Command1_Click(window.form(), rnd);
    for (int i = 0; i < 200; ++i) Timer1_Timer(window.form(), rnd);
    window.syncFromForm();
    QApplication::processEvents();
    int n = 0;
    for (auto _ : state) {
        Timer1_Timer(window.form(), rnd);
        // The 10 s readout, which keeps the current counters in 16 bits.
        if (++n % 200 == 0) Timer2_Timer(window.form());
        window.syncFromForm();
        QApplication::processEvents();
    }
}
BENCHMARK(BM_WindowTick)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace transistor
