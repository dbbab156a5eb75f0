// Rendering a 2,000-control screen, and loading + building the widgets of a
// 10,000-control set with 200 distinct pictures, against decoding the 200
// pictures alone as the baseline.
#ifdef TAVLORA_BENCH_WIDGETS

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

namespace {

constexpr int kScreenControls = 2000;
constexpr int kLoadControls = 10000;
constexpr int kPictures = 200;
const QSize kScreen(1024, 768);

void EnsureApplication()
{
    static std::unique_ptr<QGuiApplication> app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "tavlora_bench";
        static char* argv[] = {name, nullptr};
        return std::make_unique<QGuiApplication>(argc, argv);
    }();
}

// A Vorn3 folder with the LED pictures and kPictures distinct pictures
// (PNG, BMP and JPEG, 96 x 64) below Bitmaps/Bench.
const QTemporaryDir& VornFolder()
{
    static QTemporaryDir dir;
    static bool made = [] {
        QDir(dir.path()).mkpath(QStringLiteral("Bitmaps/Bench"));
        for (const char* led : {"LegacyGreen.bmp", "LegacyRed.bmp", "LegacyYellow.bmp", "LegacyRedGreen.bmp"}) {
            QImage img(40, 20, QImage::Format_RGB32);
            img.fill(QColor(0, 180, 0));
            img.save(dir.filePath(QString::fromLatin1(led)));
        }
        for (int i = 0; i < kPictures; ++i) {
            QImage img(96, 64, QImage::Format_RGB32);
            img.fill(QColor::fromHsv(i * 359 / kPictures, 200, 220));
            QPainter p(&img);
            p.setPen(Qt::black);
            p.drawEllipse(8, 8, 80, 48);
            p.drawText(QRect(0, 0, 96, 64), Qt::AlignCenter, QString::number(i));
            p.end();
            const char* ext = i % 4 == 0 ? "bmp" : i % 4 == 1 ? "jpg" : "png";
            img.save(dir.filePath(QStringLiteral("Bitmaps/Bench/P%1.%2").arg(i).arg(QLatin1String(ext))));
        }
        return true;
    }();
    (void)made;
    return dir;
}

std::string PictureName(int i)
{
    const char* ext = i % 4 == 0 ? "bmp" : i % 4 == 1 ? "jpg" : "png";
    return "Bench\\P" + std::to_string(i) + "." + ext;
}

// Mixed controls: DROs, labels, buttons, LEDs, pictures, image buttons, and a
// few MDI lines, G-code lists and tool paths, spread over the screen.
void Fill(ScreenSet& set, int count, int screens)
{
    for (int i = 0; i < count; ++i) {
        auto r = std::make_unique<ControlRecord>();
        const int x = (i * 37) % 960;
        const int y = (i * 53) % 720;
        int w = 40 + (i * 13) % 110;
        int h = 16 + (i * 7) % 40;
        switch (i % 20) {
        case 0: case 1: case 2: case 3:
            r->type = 1;
            if (i % 40 == 0) {
                r->label = "Skinned";
                r->format = "SD%+.4f";
                r->image = PictureName(i % kPictures);
            }
            break;
        case 4: case 5: case 6: case 7: case 8:
            r->type = 7;
            r->label = "Label " + std::to_string(i);
            break;
        case 9: case 10: case 11: case 12:
            r->type = 4;
            r->text = "Button " + std::to_string(i);
            break;
        case 13: case 14:
            r->type = 6;
            r->ledColour = i % 3;
            w = h = 20;
            break;
        case 15: case 16:
            r->type = 3;
            r->image = PictureName((i * 7) % kPictures);
            break;
        case 17:
            r->type = 8;
            r->image = PictureName((i * 11) % kPictures);
            break;
        case 18:
            r->type = i % 3 == 0 ? 9 : 10;
            w = 200;
            h = 120;
            break;
        default:
            r->type = i % 2 ? 11 : 7;
            break;
        }
        r->screen = screens > 1 ? 1 + i % screens : 1;
        r->rect = Rect{x, y, x + w, y + h};
        set.Append(std::move(r));
    }
}

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
