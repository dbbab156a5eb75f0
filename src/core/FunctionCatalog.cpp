#include "FunctionCatalog.h"

#include "AtomicFile.h"
#include "ControlType.h"
#include "ImagePath.h"

namespace tavlora {

std::string_view FunctionCatalog::FileNameForType(int type)
{
    switch (type) {
    case TypeButton:
    case TypeImageButton:
        return "Buttons.txt";
    case TypeLed:
        return "Leds.txt";
    case TypeDro:
        return "DROs.txt";
    default:
        return {};
    }
}

std::string FunctionCatalog::PathForType(std::string_view vornFolder, int type)
{
    const std::string_view name = FileNameForType(type);
    if (name.empty())
        return {};
    std::string path(vornFolder);
    path += "\\";
    path += name;
    return path;
}

std::vector<std::string> FunctionCatalog::SplitLines(std::string_view contents)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < contents.size()) {
        size_t end = contents.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last)
            end = contents.size();
        size_t stop = end;
        if (!last && stop > start && contents[stop - 1] == '\r')
            --stop;
        lines.emplace_back(contents.substr(start, stop - start));
        start = end + 1;
    }
    return lines;
}

bool FunctionCatalog::Load(std::string_view vornFolder, int type)
{
    entries_.clear();
    const std::string stored = PathForType(vornFolder, type);
    if (stored.empty())
        return true;
    std::string contents, error;
    if (!AtomicFile::ReadAll(ImagePath::ToPlatform(stored), contents, error, kMaxBytes))
        return false;
    entries_ = SplitLines(contents);
    return true;
}

} // namespace tavlora
