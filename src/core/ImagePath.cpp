#include "ImagePath.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace tavlora {

namespace fs = std::filesystem;

std::string ImagePath::Normalise(std::string_view name)
{
    std::string s(name);
    std::replace(s.begin(), s.end(), '/', '\\');
    if (!s.empty() && s.front() == '\\')
        s.erase(0, 1);
    return s;
}

bool ImagePath::ApplyKeywords(Keywords rule, std::string& name)
{
    const bool hasNone = name.find("None") != std::string::npos;
    const bool hasMissing = name.find("Missing") != std::string::npos;
    switch (rule) {
    case Keywords::Dro:
    case Keywords::Picture:
        if (hasNone)
            name = kOfflineImage;
        return true;
    case Keywords::EmergButton:
        if (hasNone)
            return false;
        if (hasMissing)
            name = kOfflineImage;
        return true;
    case Keywords::LedCustom:
        return !hasNone;
    }
    return true;
}

std::string ImagePath::InBitmaps(std::string_view vornFolder, std::string_view name)
{
    std::string s(vornFolder);
    s += "\\Bitmaps\\";
    s += name;
    return s;
}

bool ImagePath::LeavesFolder(std::string_view name)
{
    // The file system cuts a name at a NUL: what follows could not be checked.
    if (name.find('\0') != std::string_view::npos)
        return true;
    int depth = 0;
    size_t start = 0;
    while (start <= name.size()) {
        size_t end = name.find_first_of("\\/", start);
        if (end == std::string_view::npos)
            end = name.size();
        const std::string_view part = name.substr(start, end - start);
        // Windows drops trailing dots and blanks: "...", ". ." count as "..".
        const bool parent = part.find_first_not_of(". ") == std::string_view::npos
            && std::count(part.begin(), part.end(), '.') >= 2;
        if (parent) {
            if (--depth < 0)
                return true;
        } else if (!part.empty() && part != ".") {
            ++depth;
        }
        start = end + 1;
    }
    return false;
}

std::string ImagePath::Resolve(std::string_view vornFolder, std::string_view name, Keywords rule, bool* outside)
{
    std::string n = Normalise(name);
    if (!ApplyKeywords(rule, n))
        return {};
    if (LeavesFolder(n)) {
        if (outside)
            *outside = true;
        return {};
    }
    return InBitmaps(vornFolder, n);
}

#ifndef _WIN32
namespace {

// Windows paths are matched without regard to case by the file system itself.
bool EqualNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = x - 'A' + 'a';
        if (y >= 'A' && y <= 'Z')
            y = y - 'A' + 'a';
        if (x != y)
            return false;
    }
    return true;
}

} // namespace
#endif

std::string ImagePath::ToPlatform(std::string_view storedPath)
{
#ifdef _WIN32
    return std::string(storedPath);
#else
    std::string p(storedPath);
    std::replace(p.begin(), p.end(), '\\', '/');
    std::error_code ec;
    if (p.empty() || fs::exists(p, ec))
        return p;

    // Rebuild the path component by component; a component that is not there
    // exactly takes the name of the first directory entry equal to it without
    // regard to case. Once a component matches nothing, the rest is kept.
    std::string built = p.front() == '/' ? "/" : "";
    bool lost = false;
    size_t start = 0;
    while (start < p.size()) {
        size_t slash = p.find('/', start);
        if (slash == std::string::npos)
            slash = p.size();
        const std::string part = p.substr(start, slash - start);
        start = slash + 1;
        if (part.empty())
            continue;
        const std::string prefix = built.empty() || built.back() == '/' ? built : built + "/";
        std::string name = part;
        if (!lost && !fs::exists(prefix + part, ec)) {
            lost = true;
            for (fs::directory_iterator it(prefix.empty() ? "." : prefix, ec), end; !ec && it != end;
                 it.increment(ec)) {
                const std::string entry = it->path().filename().string();
                if (EqualNoCase(entry, part)) {
                    name = entry;
                    lost = false;
                    break;
                }
            }
        }
        built = prefix + name;
    }
    return built;
#endif
}

std::optional<std::string> ImagePath::BitmapsRelative(std::string_view path)
{
    static constexpr std::string_view kFolder = "bitmaps";
    const size_t length = kFolder.size() + 1; // the folder and its separator
    for (size_t p = 0; p + length < path.size(); ++p) {
        bool match = path[p + kFolder.size()] == '\\' || path[p + kFolder.size()] == '/';
        for (size_t i = 0; match && i < kFolder.size(); ++i) {
            const char c = path[p + i];
            match = (c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c) == kFolder[i];
        }
        if (match) {
            std::string name(path.substr(p + length));
            for (char& c : name) {
                if (c == '/')
                    c = '\\';
            }
            return name;
        }
    }
    return std::nullopt;
}

} // namespace tavlora
