// The cost of one slider change on the real main window, on the initial run and on a long one,
// against the least any drawing of the initial run could cost: the integration plus three
// polylines into an image of the plot's size.
#include "app/enkinform.h"
#include "engine/integrate.h"
#include "lab/session.h"
#include "params/runinputs.h"
#include "params/runstart.h"
#include "views/plotsurface.h"

#include <QImage>
#include <QPainter>
#include <QPointF>

#include <benchmark/benchmark.h>

#include <array>

namespace {

void BM_SliderChange(benchmark::State &state)
{
    enkin::Session session;
    enkin::EnkinForm form(session);
    form.show();
    for (auto _ : state)
        form.HScroll1_Change();
}
BENCHMARK(BM_SliderChange);

// The same on the whole reaction, 1e6 ms, which the stiff solver integrates: dragging the slider
// over it must stay about as smooth as over the initial run.
void BM_SliderChangeLongRun(benchmark::State &state)
{
    enkin::Session session;
    session.state().inputs.set(enkin::RunInput::ttmax, "1000000");
    enkin::EnkinForm form(session);
    form.show();
    for (auto _ : state)
        form.HScroll1_Change();
}
BENCHMARK(BM_SliderChangeLongRun);

// With a mixed inhibitor at [I]0 = Ki over 5 ms, long enough for it to bind: seven species to
// integrate, a fourth curve and a fifth Results box.
void BM_SliderChangeInhibitor(benchmark::State &state)
{
    enkin::Session session;
    enkin::RunInputs &in = session.state().inputs;
    for (const auto &[input, text] : {std::pair{enkin::RunInput::I0, "0.01"},
                                      {enkin::RunInput::kk6, "1"},
                                      {enkin::RunInput::ttmax, "5"}})
        in.set(input, text);
    enkin::EnkinForm form(session);
    form.show();
    for (auto _ : state)
        form.HScroll1_Change();
}
BENCHMARK(BM_SliderChangeInhibitor);

void BM_DrawBaseline(benchmark::State &state)
{
    enkin::Session session;
    enkin::Module1 &module = session.state();
    enkin::EnkinForm form(session);
    const QSize size = form.findChild<enkin::PlotSurface *>(QStringLiteral("Plot1"))->drawingSize();
    QImage image(size, QImage::Format_RGB32);
    std::array<QPointF, 600> points;
    for (auto _ : state) {
        const double tmax =
            enkin::IntegrateTrajectory(module.inputs, module.rateSet, module.trajectory);
        image.fill(Qt::white);
        QPainter p(&image);
        const enkin::Trajectory &t = module.trajectory;
        for (const auto *column : {&t.EConc, &t.ESConc, &t.PConc}) {
            for (int i = 1; i <= 600; ++i)
                points[std::size_t(i - 1)] =
                    QPointF(t.TimeVal[i] / tmax * size.width(), (1 - (*column)[i]) * size.height());
            p.drawPolyline(points.data(), int(points.size()));
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_DrawBaseline);

} // namespace
