// Opening a screen set whose 50 pictures are distinct 6000 x 4000 JPEG and PNG
// files drawn at 100 x 100, against decoding those pictures once each at full
// size (one at a time) as the baseline, in the same run. Every measurement
// runs in a child process of its own, so its peak resident memory is its own.
// Prints the time ratio and the peak memory against the picture budget.
//
//   picture_budget_bench [--pictures=N] [--picture-size=WxH] [--budget-mb=MB] [benchmark flags]
#include "core/HeapTuning.h"
#include "core/ScreenSetFile.h"
#include "widgets/ImageCache.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/Vorn3Image.h"
#include "widgets/WidgetContext.h"
#include "widgets/WidgetFactory.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace tavlora;

namespace {

int g_pictures = 50;
int g_width = 6000;
int g_height = 4000;
int g_budgetMb = 256;
std::string g_folder; // the Vorn3 folder of the run
constexpr int kDrawn = 100;

struct ChildResult {
    bool ok = false;
    double seconds = 0;
    double peakMb = 0;
    std::string detail;
};

// Runs `work` in a child process with its own QGuiApplication. `work` returns
// the seconds its timed part took and a line of detail (or "" on failure).
ChildResult RunChild(const std::function<std::string(double&)>& work)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        HeapTuning::KeepFreedMemory();
        qputenv("QT_QPA_PLATFORM", "offscreen");
        const std::string runtime = g_folder + "/runtime";
        ::mkdir(runtime.c_str(), 0700);
        qputenv("XDG_RUNTIME_DIR", runtime.c_str());
        int argc = 1;
        char name[] = "picture_budget_bench";
        char* argv[] = {name, nullptr};
        QGuiApplication app(argc, argv);
        double seconds = 0;
        const std::string detail = work(seconds);
        const std::string line = std::to_string(seconds) + " " + detail + "\n";
        (void)!::write(fds[1], line.data(), line.size());
        ::_exit(detail.empty() ? 1 : 0);
    }
    ::close(fds[1]);
    std::string out;
    char buf[512];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0)
        out.append(buf, size_t(n));
    ::close(fds[0]);
    int status = 0;
    rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    ChildResult r;
    r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    r.peakMb = double(usage.ru_maxrss) / 1024.0;
    const size_t space = out.find(' ');
    if (space != std::string::npos) {
        r.seconds = std::atof(out.substr(0, space).c_str());
        r.detail = out.substr(space + 1);
        while (!r.detail.empty() && r.detail.back() == '\n')
            r.detail.pop_back();
    }
    return r;
}

QString PicturePath(int i)
{
    return QString::fromStdString(g_folder)
        + QStringLiteral("/Bitmaps/Huge/P%1.%2").arg(i).arg(i % 2 ? QStringLiteral("png") : QStringLiteral("jpg"));
}

// Distinct pictures: a gradient in a hue of their own with circles and stripes.
std::string MakePictures(double& seconds)
{
    QElapsedTimer t;
    t.start();
    QDir().mkpath(QString::fromStdString(g_folder) + QStringLiteral("/Bitmaps/Huge"));
    for (int i = 0; i < g_pictures; ++i) {
        QImage img(g_width, g_height, QImage::Format_RGB32);
        QPainter p(&img);
        QLinearGradient g(0, 0, g_width, g_height);
        g.setColorAt(0, QColor::fromHsv(i * 359 / g_pictures, 200, 240));
        g.setColorAt(1, QColor::fromHsv((i * 359 / g_pictures + 120) % 360, 255, 90));
        p.fillRect(img.rect(), g);
        p.setPen(QPen(Qt::black, 9));
        for (int k = 0; k < 12; ++k)
            p.drawEllipse(QPoint(g_width / 2, g_height / 2), 150 * (k + 1) + i * 7, 110 * (k + 1));
        for (int x = i * 13 % 200; x < g_width; x += 400)
            p.fillRect(x, 0, 40, g_height, QColor(255, 255, 255, 90));
        p.end();
        const QString path = PicturePath(i);
        if (!img.save(path, i % 2 ? "PNG" : "JPEG", i % 2 ? 80 : 85))
            return {};
    }
    // The set: one 100 x 100 picture control per file, on screen 1.
    ScreenSet set;
    for (int i = 0; i < g_pictures; ++i) {
        auto r = std::make_unique<ControlRecord>();
        r->type = 3;
        r->screen = 1;
        const int x = 4 + (i % 10) * (kDrawn + 2), y = 4 + (i / 10) * (kDrawn + 2);
        r->rect = Rect{x, y, x + kDrawn, y + kDrawn};
        r->image = "Huge\\" + std::filesystem::path(PicturePath(i).toStdString()).filename().string();
        set.Append(std::move(r));
    }
    const WriteResult w = ScreenSetFile::Write(set);
    FILE* f = std::fopen((g_folder + "/huge.set").c_str(), "wb");
    if (!f || std::fwrite(w.bytes.data(), 1, w.bytes.size(), f) != w.bytes.size())
        return {};
    std::fclose(f);
    seconds = t.elapsed() / 1000.0;
    return "made";
}

std::string OpenSet(double& seconds)
{
    std::string bytes;
    {
        FILE* f = std::fopen((g_folder + "/huge.set").c_str(), "rb");
        if (!f)
            return {};
        char buf[65536];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            bytes.append(buf, n);
        std::fclose(f);
    }
    QElapsedTimer t;
    t.start();
    ScreenSet set;
    if (!ScreenSetFile::Read(bytes.data(), bytes.size(), set).ok)
        return {};
    WidgetContext ctx(set);
    ctx.vornFolder = g_folder;
    int failures = 0;
    QObject::connect(&ctx, &WidgetContext::pictureFailed, [&failures](const QString&, const QString&) { ++failures; });
    ctx.BeginLoad();
    ctx.Images().SetBudget(qint64(g_budgetMb) << 20);
    WidgetFactory::RebuildWidgets(set, ctx);
    const QImage screen = ScreenRenderer::Render(set, ctx, 1, QSize(1024, 768));
    seconds = t.elapsed() / 1000.0;
    // Every picture must have been drawn: its centre is not the background.
    int drawn = 0;
    const QRgb back = screen.pixel(1023, 767);
    for (int i = 0; i < g_pictures; ++i) {
        const int x = 4 + (i % 10) * (kDrawn + 2) + kDrawn / 2, y = 4 + (i / 10) * (kDrawn + 2) + kDrawn / 2;
        drawn += screen.pixel(x, y) != back;
    }
    if (failures || drawn != g_pictures)
        return {};
    return "held " + std::to_string(ctx.Images().HeldBytes() >> 10) + " KiB in "
        + std::to_string(ctx.Images().HeldCount()) + " pictures, " + std::to_string(ctx.Images().DecodeCount())
        + " decodes";
}

std::string DecodeAll(double& seconds)
{
    QElapsedTimer t;
    t.start();
    qint64 pixels = 0;
    for (int i = 0; i < g_pictures; ++i) {
        const QString path = PicturePath(i);
        QString error;
        const QImage img = Vorn3Image::Decode(path, Vorn3Image::FormatCodeFor(path), &error);
        if (img.isNull())
            return {};
        pixels += qint64(img.width()) * img.height();
    }
    seconds = t.elapsed() / 1000.0;
    return std::to_string(pixels / 1000000) + " megapixels decoded";
}

struct Totals {
    double seconds = 0;
    double peakMb = 0;
    int runs = 0;
    std::string detail;
} g_open, g_decode;

void Measure(benchmark::State& state, const std::function<std::string(double&)>& work, Totals& totals)
{
    for (auto _ : state) {
        const ChildResult r = RunChild(work);
        if (!r.ok) {
            state.SkipWithError("the child process failed");
            return;
        }
        state.SetIterationTime(r.seconds);
        totals.seconds += r.seconds;
        totals.peakMb = std::max(totals.peakMb, r.peakMb);
        totals.detail = r.detail;
        ++totals.runs;
    }
    state.counters["peak_rss_MB"] = totals.peakMb;
    state.counters["budget_MB"] = g_budgetMb;
    state.counters["pictures"] = g_pictures;
}

void BM_OpenSetWithHugePictures(benchmark::State& state)
{
    Measure(state, OpenSet, g_open);
}

void BM_DecodeEachPictureOnceAtFullSize(benchmark::State& state)
{
    Measure(state, DecodeAll, g_decode);
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("--pictures=", 0) == 0)
            g_pictures = std::max(1, std::atoi(a.c_str() + 11));
        else if (a.rfind("--picture-size=", 0) == 0)
            std::sscanf(a.c_str() + 15, "%dx%d", &g_width, &g_height);
        else if (a.rfind("--budget-mb=", 0) == 0)
            g_budgetMb = std::max(1, std::atoi(a.c_str() + 12));
        else
            rest.push_back(argv[i]);
    }
    int restCount = int(rest.size());
    benchmark::Initialize(&restCount, rest.data());

    char pattern[] = "/tmp/tavlora-picture-bench-XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    g_folder = pattern;
    std::printf("Making %d pictures of %d x %d ...\n", g_pictures, g_width, g_height);
    std::fflush(stdout);
    const ChildResult made = RunChild(MakePictures);
    if (!made.ok) {
        std::fprintf(stderr, "could not make the pictures in %s\n", g_folder.c_str());
        std::filesystem::remove_all(g_folder);
        return 1;
    }

    benchmark::RegisterBenchmark("BM_DecodeEachPictureOnceAtFullSize", BM_DecodeEachPictureOnceAtFullSize)
        ->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_OpenSetWithHugePictures", BM_OpenSetWithHugePictures)
        ->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(g_folder);

    if (!g_open.runs || !g_decode.runs)
        return 1;
    const double openS = g_open.seconds / g_open.runs;
    const double decodeS = g_decode.seconds / g_decode.runs;
    const double limitMb = g_budgetMb * 1.1;
    std::printf("\nOpen the set (%d pictures of %d x %d drawn at %d x %d): %.0f ms, peak %.0f MB (%s)\n",
                g_pictures, g_width, g_height, kDrawn, kDrawn, openS * 1000, g_open.peakMb, g_open.detail.c_str());
    std::printf("Decode each once at full size:                     %.0f ms, peak %.0f MB (%s)\n",
                decodeS * 1000, g_decode.peakMb, g_decode.detail.c_str());
    std::printf("Time ratio open / full decode: %.2f\n", openS / decodeS);
    std::printf("Peak memory of the open: %.0f MB, budget %d MB + 10%% = %.0f MB: %s\n", g_open.peakMb,
                g_budgetMb, limitMb, g_open.peakMb <= limitMb ? "within" : "OVER");
    return g_open.peakMb <= limitMb ? 0 : 1;
}
