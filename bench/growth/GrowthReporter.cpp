#include "GrowthReporter.h"

namespace tavlora::bench {

GrowthReporter::GrowthReporter(GrowthTable& table, OutputOptions options)
    : ConsoleReporter(options), table_(table)
{
}

void GrowthReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || run.report_label.empty())
            continue;
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const auto ns = run.counters.find("ns_per_control");
        const auto controls = run.counters.find("controls");
        if ((single || median) && ns != run.counters.end() && controls != run.counters.end())
            table_.Record(run.report_label, int(controls->second.value), ns->second.value);
    }
}

} // namespace tavlora::bench
