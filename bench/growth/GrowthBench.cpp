// Time per control of reading, checking, painting and pasting sets of 1,000,
// 10,000 and 100,000 controls, printed at the end as a table with the growth
// of the 100k figure against the 1k one (1.00: linear). Every figure is the
// operation alone (manual time); set-up and undo are not counted. Unless the
// flags say otherwise, each runs 3 times and the table shows the medians.
//
//   growth_bench [benchmark flags]
#include "BenchSets.h"
#include "GrowthReporter.h"
#include "GrowthTable.h"
#include "SilentPrompter.h"

#include "core/HeapTuning.h"
#include "core/ScreenSetFile.h"
#include "document/CTavloraDoc.h"
#include "document/DocumentFile.h"
#include "editing/Clipboard.h"
#include "editing/EditActions.h"
#include "settings/SettingsProfile.h"
#include "widgets/CheckRunner.h"
#include "widgets/ScreenRenderer.h"
#include "widgets/WidgetContext.h"
#include "widgets/WidgetFactory.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

using namespace tavlora;
using namespace tavlora::bench;

namespace {

constexpr int kScreens = 99;

double Seconds(std::chrono::steady_clock::time_point from)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1000)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
}

// Reports the nanoseconds per control of `seconds` spent over all
// iterations, for the row `operation` of the table.
void Record(benchmark::State& state, const char* operation, double seconds)
{
    if (state.error_occurred() || state.iterations() == 0)
        return;
    const int controls = int(state.range(0));
    state.counters["ns_per_control"] = benchmark::Counter(1e9 * seconds / (double(state.iterations()) * controls));
    state.counters["controls"] = controls;
    state.SetLabel(operation);
}

// The file of Fill(controls, screens).
std::string SetBytes(int controls, int screens)
{
    ScreenSet set;
    Fill(set, controls, screens);
    return ScreenSetFile::Write(set).bytes;
}

// The file reader: N controls over 99 screens into a fresh set.
void BM_GrowthRead(benchmark::State& state)
{
    const int controls = int(state.range(0));
    const std::string bytes = SetBytes(controls, kScreens);
    double total = 0;
    for (auto _ : state) {
        auto set = std::make_unique<ScreenSet>();
        const auto start = std::chrono::steady_clock::now();
        const ReadResult r = ScreenSetFile::Read(bytes.data(), bytes.size(), *set);
        const double seconds = Seconds(start);
        if (!r.ok || set->Size() != size_t(controls)) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(set->controls.data());
        state.SetIterationTime(seconds);
        total += seconds;
    }
    Record(state, "read", total);
}
BENCHMARK(BM_GrowthRead)->Apply(Sizes);

// Every check tavlora-cli check runs (set checks, pictures, fit of texts) on
// N controls over 99 screens, with one runner kept as the designer keeps it:
// the first run (pictures decoded, font metrics) is not timed.
void BM_GrowthCheck(benchmark::State& state)
{
    EnsureApplication();
    const int controls = int(state.range(0));
    const std::string bytes = SetBytes(controls, kScreens);
    ScreenSet set;
    CheckRunner::Options options;
    options.set.file = ScreenSetFile::Read(bytes.data(), bytes.size(), set);
    options.vornFolder = VornFolder().path().toStdString();
    options.set.LoadCatalogs(options.vornFolder);
    CheckRunner runner;
    size_t findings = runner.Run(set, options).size();
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        findings = runner.Run(set, options).size();
        const double seconds = Seconds(start);
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.counters["findings"] = double(findings);
    Record(state, "check", total);
}
BENCHMARK(BM_GrowthCheck)->Apply(Sizes);

// ScreenRenderer::Paint of screen 1 into a 1024 x 768 image after a first
// paint (which makes the cached looks). Argument 2: the screens the N
// controls are spread over; per control of the whole set either way.
void BM_GrowthPaint(benchmark::State& state)
{
    EnsureApplication();
    const int controls = int(state.range(0));
    const int screens = int(state.range(1));
    // The widgets built and screen 1 shown, as the design view shows it.
    ScreenSet set;
    WidgetContext ctx(set);
    ctx.vornFolder = VornFolder().path().toStdString();
    Fill(set, controls, screens);
    ctx.BeginLoad();
    WidgetFactory::RebuildWidgets(set, ctx);
    for (auto& rec : set.controls)
        if (rec->widget)
            rec->widget->SetVisible(rec->screen == 1);
    QImage target(kScreen, QImage::Format_RGB32);
    {
        QPainter p(&target);
        ScreenRenderer::Paint(p, set, ctx, kScreen);
    }
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        QPainter p(&target);
        ScreenRenderer::Paint(p, set, ctx, kScreen);
        p.end();
        benchmark::DoNotOptimize(target.constBits());
        const double seconds = Seconds(start);
        state.SetIterationTime(seconds);
        total += seconds;
    }
    state.counters["screens"] = screens;
    Record(state, screens == 1 ? "paint, all on one screen" : "paint, screen 1 of 99", total);
}
BENCHMARK(BM_GrowthPaint)
    ->Args({1000, 1})->Args({10000, 1})->Args({100000, 1})
    ->Args({1000, kScreens})->Args({10000, kScreens})->Args({100000, kScreens})
    ->UseManualTime()->Unit(benchmark::kMillisecond);

// Paste Exact of N copied controls into an empty document, as the designer
// does it (records, widgets made, shown and selected, copied again to the
// clipboard); the undo after each paste is not timed.
void BM_GrowthPaste(benchmark::State& state)
{
    EnsureApplication();
    const int controls = int(state.range(0));
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("Tavlora.xml")));
    profile.SetSaveOnDestroy(false);
    profile.WriteString(QStringLiteral("Locations"), QStringLiteral("VornLocation"), VornFolder().path());
    SilentPrompter prompter;
    CTavloraDoc doc(profile);
    DocumentFile file(doc, profile, prompter);
    Clipboard clipboard;
    EditActions edits(doc, clipboard);
    ScreenSet source;
    Fill(source, controls, 1);
    std::vector<const ControlRecord*> records;
    for (const auto& rec : source.controls)
        records.push_back(rec.get());
    double total = 0;
    for (auto _ : state) {
        clipboard.Copy(records);
        const auto start = std::chrono::steady_clock::now();
        edits.PasteExact();
        const double seconds = Seconds(start);
        if (doc.Set().Size() != size_t(controls)) {
            state.SkipWithError("paste failed");
            break;
        }
        state.SetIterationTime(seconds);
        total += seconds;
        doc.UndoStack().undo();
        doc.UndoStack().clear();
    }
    Record(state, "paste", total);
}
BENCHMARK(BM_GrowthPaste)->Apply(Sizes);

} // namespace

int main(int argc, char** argv)
{
    HeapTuning::KeepFreedMemory();
    // Defaults that flags given after them replace.
    std::vector<char*> args{argv[0]};
    char repetitions[] = "--benchmark_repetitions=3";
    char aggregates[] = "--benchmark_display_aggregates_only=true";
    args.push_back(repetitions);
    args.push_back(aggregates);
    args.insert(args.end(), argv + 1, argv + argc);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    GrowthTable table;
    GrowthReporter reporter(table, isatty(STDOUT_FILENO) ? GrowthReporter::OO_Color : GrowthReporter::OO_None);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (table.Empty())
        return 1;
    std::printf("\nTime per control (ns), N mixed controls (BenchSets.h Fill): read and check of N over 99 "
                "screens;\npaint of screen 1 with all N on it, or with N over 99 screens (per control of the "
                "set);\npaste of N into an empty document.\n");
    table.Print(stdout);
    std::fflush(stdout);
    return 0;
}
