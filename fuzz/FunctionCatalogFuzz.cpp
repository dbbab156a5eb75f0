// Catalog files from arbitrary bytes: the entries joined by line feeds give the
// file without the carriage returns of its CR LF pairs (and a last line feed).
#include "core/FunctionCatalog.h"

#include <cstdint>
#include <cstdlib>

using namespace tavlora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view contents(reinterpret_cast<const char*>(data), size);
    std::string expected, joined;
    for (size_t i = 0; i < size; ++i) {
        if (!(contents[i] == '\r' && i + 1 < size && contents[i + 1] == '\n'))
            expected.push_back(contents[i]);
    }
    if (!expected.empty() && expected.back() != '\n')
        expected.push_back('\n');
    for (const std::string& line : FunctionCatalog::SplitLines(contents)) {
        if (line.find('\n') != std::string::npos)
            std::abort();
        joined += line + "\n";
    }
    if (joined != expected)
        std::abort();
    return 0;
}
