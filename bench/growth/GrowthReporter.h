#pragma once
// The console output of the benchmarks, and their ns_per_control counters
// put in a GrowthTable: the median of the repetitions, or the single run.
// Each benchmark names its operation in its label and its size in the
// counter "controls".

#include "GrowthTable.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace tavlora::bench {

class GrowthReporter : public benchmark::ConsoleReporter {
public:
    GrowthReporter(GrowthTable& table, OutputOptions options);
    void ReportRuns(const std::vector<Run>& runs) override;

private:
    GrowthTable& table_;
};

} // namespace tavlora::bench
