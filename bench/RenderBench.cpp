// Rendering a 2,000-control screen, and loading + building the widgets of a
// 10,000-control set with 200 distinct pictures, against decoding the 200
// pictures alone as the baseline.
#ifdef TAVLORA_BENCH_WIDGETS

#include "BenchSets.h"

#include "core/ScreenSetFile.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/Vorn3Image.h"
#include "widgets/WidgetContext.h"
#include "widgets/WidgetFactory.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

using namespace tavlora;
using namespace tavlora::bench;

namespace {

struct ScreenFixture {
    ScreenSet set;
    WidgetContext ctx{set};
    ScreenFixture()
    {
        EnsureApplication();
        ctx.vornFolder = VornFolder().path().toStdString();
        Fill(set, kScreenControls, 1);
        ctx.BeginLoad();
        WidgetFactory::RebuildWidgets(set, ctx);
        for (auto& rec : set.controls)
            if (rec->widget)
                rec->widget->SetVisible(rec->screen == 1 || rec->screen == 0);
    }
};

void BM_PaintScreen2000(benchmark::State& state)
{
    static ScreenFixture f;
    QImage target(kScreen, QImage::Format_RGB32);
    // The first paint makes the per-size caches (scaled faces, tool paths).
    {
        QPainter p(&target);
        ScreenRenderer::Paint(p, f.set, f.ctx, kScreen);
    }
    for (auto _ : state) {
        QPainter p(&target);
        ScreenRenderer::Paint(p, f.set, f.ctx, kScreen);
        p.end();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.counters["controls"] = kScreenControls;
}
BENCHMARK(BM_PaintScreen2000)->Unit(benchmark::kMillisecond);

// The first paint after a load, which makes the faces and cached looks.
void BM_FirstPaintScreen2000(benchmark::State& state)
{
    EnsureApplication();
    QImage target(kScreen, QImage::Format_RGB32);
    for (auto _ : state) {
        state.PauseTiming();
        auto f = std::make_unique<ScreenFixture>();
        state.ResumeTiming();
        QPainter p(&target);
        ScreenRenderer::Paint(p, f->set, f->ctx, kScreen);
        p.end();
        benchmark::DoNotOptimize(target.constBits());
        state.PauseTiming();
        f.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FirstPaintScreen2000)->Unit(benchmark::kMillisecond);

void BM_RenderScreen2000(benchmark::State& state)
{
    static ScreenFixture f;
    for (auto _ : state) {
        QImage img = ScreenRenderer::Render(f.set, f.ctx, 1, kScreen);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_RenderScreen2000)->Unit(benchmark::kMillisecond);

void BM_Decode200Pictures(benchmark::State& state)
{
    EnsureApplication();
    const QTemporaryDir& dir = VornFolder();
    QStringList paths;
    for (int i = 0; i < kPictures; ++i) {
        std::string name = PictureName(i);
        std::replace(name.begin(), name.end(), '\\', '/');
        paths << dir.filePath(QStringLiteral("Bitmaps/") + QString::fromStdString(name));
    }
    for (auto _ : state) {
        for (const QString& path : paths) {
            QImage img = Vorn3Image::Decode(path, Vorn3Image::FormatCodeFor(path), nullptr);
            benchmark::DoNotOptimize(img.constBits());
        }
    }
    state.counters["pictures"] = kPictures;
}
BENCHMARK(BM_Decode200Pictures)->Unit(benchmark::kMillisecond);

void BM_LoadAndRebuild10000(benchmark::State& state)
{
    EnsureApplication();
    static const std::string bytes = [] {
        ScreenSet set;
        Fill(set, kLoadControls, 20);
        return ScreenSetFile::Write(set).bytes;
    }();
    const std::string folder = VornFolder().path().toStdString();
    for (auto _ : state) {
        auto set = std::make_unique<ScreenSet>();
        auto ctx = std::make_unique<WidgetContext>(*set);
        ctx->vornFolder = folder;
        ScreenSetFile::Read(bytes.data(), bytes.size(), *set);
        ctx->BeginLoad();
        WidgetFactory::RebuildWidgets(*set, *ctx);
        benchmark::DoNotOptimize(set->controls.data());
        state.PauseTiming();
        ctx.reset();
        set.reset();
        state.ResumeTiming();
    }
    state.counters["controls"] = kLoadControls;
}
BENCHMARK(BM_LoadAndRebuild10000)->Unit(benchmark::kMillisecond);

} // namespace

#endif // TAVLORA_BENCH_WIDGETS
