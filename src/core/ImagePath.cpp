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

std::string ImagePath::Resolve(std::string_view vornFolder, std::string_view name, Keywords rule)
{
    std::string n = Normalise(name);
    if (!ApplyKeywords(rule, n))
        return {};
    return InBitmaps(vornFolder, n);
}

namespace {

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

std::string ImagePath::ToPlatform(std::string_view storedPath)
{
#ifdef _WIN32
    return std::string(storedPath);
#else
    std::string p(storedPath);
    std::replace(p.begin(), p.end(), '\\', '/');
    std::error_code ec;
    if (p.empty() || fs::exists(fs::u8path(p), ec))
        return p;

    // Walk the components, matching each one without regard to case when the
    // exact name is not there.
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= p.size()) {
        size_t slash = p.find('/', start);
        if (slash == std::string::npos)
            slash = p.size();
        parts.emplace_back(p.substr(start, slash - start));
        start = slash + 1;
    }
    std::string built = p.front() == '/' ? "/" : "";
    bool first = true;
    bool lost = false;
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        std::string candidate = built + (first || built.empty() || built.back() == '/' ? "" : "/") + part;
        first = false;
        if (!lost && !fs::exists(fs::u8path(candidate), ec)) {
            const fs::path dir = fs::u8path(built.empty() ? "." : built);
            bool found = false;
            for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
                const std::string entry = it->path().filename().u8string();
                if (EqualNoCase(entry, part)) {
                    candidate = built + (built.empty() || built.back() == '/' ? "" : "/") + entry;
                    found = true;
                    break;
                }
            }
            if (!found)
                lost = true;
        }
        built = candidate;
    }
    return built;
#endif
}

} // namespace tavlora
