#pragma once
// Nanoseconds per control of each operation at each set size, printed as a
// table with the growth of the largest size against the smallest.

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace tavlora::bench {

class GrowthTable {
public:
    // The latest figure for an operation at a size replaces any earlier one.
    void Record(const std::string& operation, int controls, double nsPerControl);
    bool Empty() const { return order_.empty(); }
    // Rows in the order the operations were first recorded; columns by size,
    // then largest / smallest per control.
    void Print(std::FILE* out) const;

private:
    std::vector<std::string> order_;
    std::map<std::string, std::map<int, double>> rows_;
};

} // namespace tavlora::bench
