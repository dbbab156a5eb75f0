#include "GrowthTable.h"

#include <algorithm>
#include <set>

namespace tavlora::bench {

namespace {

std::string SizeName(int controls)
{
    if (controls % 1000 == 0)
        return std::to_string(controls / 1000) + "k";
    return std::to_string(controls);
}

} // namespace

void GrowthTable::Record(const std::string& operation, int controls, double nsPerControl)
{
    auto [row, added] = rows_.try_emplace(operation);
    if (added)
        order_.push_back(operation);
    row->second[controls] = nsPerControl;
}

void GrowthTable::Print(std::FILE* out) const
{
    std::set<int> sizes;
    size_t width = 9;
    for (const auto& [operation, cells] : rows_) {
        width = std::max(width, operation.size());
        for (const auto& cell : cells)
            sizes.insert(cell.first);
    }
    if (sizes.empty())
        return;
    const int smallest = *sizes.begin(), largest = *sizes.rbegin();
    const std::string ratio = SizeName(largest) + "/" + SizeName(smallest);

    std::fprintf(out, "%-*s", int(width), "ns/control");
    for (int n : sizes)
        std::fprintf(out, " %10s", SizeName(n).c_str());
    std::fprintf(out, " %10s\n", ratio.c_str());
    for (const std::string& operation : order_) {
        const auto& cells = rows_.at(operation);
        std::fprintf(out, "%-*s", int(width), operation.c_str());
        for (int n : sizes) {
            const auto it = cells.find(n);
            if (it == cells.end())
                std::fprintf(out, " %10s", "-");
            else
                std::fprintf(out, " %10.1f", it->second);
        }
        const auto low = cells.find(smallest), high = cells.find(largest);
        if (low != cells.end() && high != cells.end() && low->second > 0)
            std::fprintf(out, " %10.2f\n", high->second / low->second);
        else
            std::fprintf(out, " %10s\n", "-");
    }
}

} // namespace tavlora::bench
