// Reading and writing a 100,000-control screen set, against a plain memcpy of
// the same bytes as the baseline.
#include "core/HeapTuning.h"
#include "core/ScreenSetFile.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

using namespace tavlora;

namespace {

constexpr int kControls = 100000;

// Set up the allocator as the designer and the CLI do at the start of main().
const bool kHeapTuned = (HeapTuning::KeepFreedMemory(), true);

const ScreenSet& LargeSet()
{
    static ScreenSet set = [] {
        ScreenSet s;
        for (int i = 0; i < kControls; ++i) {
            auto r = std::make_unique<ControlRecord>();
            r->type = 1 + i % 11;
            r->screen = i % 20;
            r->function = i % 120;
            r->rect = {i % 1000, (i * 7) % 700, i % 1000 + 60, (i * 7) % 700 + 20};
            if (i % 3 == 0)
                r->text = "Cycle Start " + std::to_string(i);
            if (i % 5 == 0)
                r->image = "Mill\\Buttons\\CycleStart.png";
            s.Append(std::move(r));
        }
        return s;
    }();
    return set;
}

const std::string& LargeFile()
{
    static const std::string bytes = ScreenSetFile::Write(LargeSet()).bytes;
    return bytes;
}

void BM_Memcpy(benchmark::State& state)
{
    const std::string& src = LargeFile();
    std::vector<char> dst(src.size());
    for (auto _ : state) {
        std::memcpy(dst.data(), src.data(), src.size());
        benchmark::DoNotOptimize(dst.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

// Like a reload in the designer: read into a fresh set, then drop the one
// that was open before (its memory is what the next read reuses).
void BM_Read100k(benchmark::State& state)
{
    const std::string& src = LargeFile();
    auto open = std::make_unique<ScreenSet>();
    for (auto _ : state) {
        auto fresh = std::make_unique<ScreenSet>();
        ReadResult r = ScreenSetFile::Read(src.data(), src.size(), *fresh);
        if (!r.ok || fresh->Size() != size_t(kControls))
            state.SkipWithError("read failed");
        open = std::move(fresh);
        benchmark::DoNotOptimize(open->controls.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(src.size()));
    state.counters["controls"] = kControls;
}
BENCHMARK(BM_Read100k)->Unit(benchmark::kMillisecond);

void BM_Write100k(benchmark::State& state)
{
    const ScreenSet& set = LargeSet();
    size_t bytes = 0;
    for (auto _ : state) {
        WriteResult w = ScreenSetFile::Write(set);
        bytes = w.bytes.size();
        benchmark::DoNotOptimize(w.bytes.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(BM_Write100k)->Unit(benchmark::kMillisecond);

} // namespace
