// Checking a 100,000-control screen set without pictures, against reading the
// same set in the same run as the baseline.
#include "core/ScreenSetFile.h"
#include "core/SetCheck.h"

#ifdef TAVLORA_BENCH_WIDGETS
#include "widgets/CheckRunner.h"

#include <QGuiApplication>
#endif

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

using namespace tavlora;

namespace {

constexpr int kControls = 100000;

// Every type on 20 screens (one of them the persistent layer), with jumps,
// hot keys, captions and overlapping rectangles; no control names a picture.
const std::string& LargeFile()
{
    static const std::string bytes = [] {
        ScreenSet s;
        for (int i = 0; i < kControls; ++i) {
            auto r = std::make_unique<ControlRecord>();
            r->type = 1 + i % 11;
            r->screen = i % 20;
            r->function = i % 7 == 0 ? 32 : i % 30;
            r->parameter = i % 23;
            r->hotKey = i % 13 == 0 ? 0x70 + i % 12 : 0;
            r->rect = {i % 1000, (i * 7) % 700, i % 1000 + 60, (i * 7) % 700 + 20};
            r->text = "Cycle Start " + std::to_string(i);
            r->label = "Label " + std::to_string(i % 100);
            r->image = "";
            s.Append(std::move(r));
        }
        return ScreenSetFile::Write(s).bytes;
    }();
    return bytes;
}

double Seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

#ifdef TAVLORA_BENCH_WIDGETS
void EnsureGuiApplication()
{
    if (QCoreApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tavlora_bench";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}
#endif

// Each iteration reads the file, then checks the set; the counters give both
// times and their ratio (check / read).
template <typename Check>
void CheckAgainstRead(benchmark::State& state, Check check)
{
    const std::string& file = LargeFile();
    double read = 0, checked = 0;
    size_t findings = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        ScreenSet set;
        const ReadResult r = ScreenSetFile::Read(file.data(), file.size(), set);
        const auto t1 = std::chrono::steady_clock::now();
        if (!r.ok)
            state.SkipWithError("read failed");
        findings = check(set, r);
        const auto t2 = std::chrono::steady_clock::now();
        read += Seconds(t1 - t0);
        checked += Seconds(t2 - t1);
        benchmark::DoNotOptimize(findings);
    }
    const double n = double(state.iterations());
    state.counters["read_ms"] = 1000 * read / n;
    state.counters["check_ms"] = 1000 * checked / n;
    state.counters["check_per_read"] = checked / read;
    state.counters["findings"] = double(findings);
}

// The Qt-free checks alone.
void BM_SetCheck100kVsRead(benchmark::State& state)
{
    CheckAgainstRead(state, [](const ScreenSet& set, const ReadResult& r) {
        SetCheck::Options o;
        o.file = r;
        return SetCheck::Run(set, o).size();
    });
}
BENCHMARK(BM_SetCheck100kVsRead)->Unit(benchmark::kMillisecond);

#ifdef TAVLORA_BENCH_WIDGETS
// Everything tavlora-cli check runs: with pictures (none named) and the fit of texts.
void BM_FullCheck100kVsRead(benchmark::State& state)
{
    EnsureGuiApplication();
    CheckRunner runner;
    CheckAgainstRead(state, [&runner](const ScreenSet& set, const ReadResult& r) {
        CheckRunner::Options o;
        o.set.file = r;
        o.vornFolder = "/nonexistent-vorn3";
        return runner.Run(set, o).size();
    });
}
BENCHMARK(BM_FullCheck100kVsRead)->Unit(benchmark::kMillisecond);
#endif

} // namespace
