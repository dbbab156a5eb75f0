#include "SetDiff.h"

#include "ControlCaption.h"
#include "Windows1252.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <tuple>
#include <unordered_map>

namespace tavlora {

namespace {

std::string Quote(const std::string& bytes)
{
    std::string out = "\"";
    for (unsigned char c : bytes) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20 || c == 0x7F) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02X", unsigned(c));
                out += buf;
            } else {
                out += Windows1252::ToUtf8(std::string_view(reinterpret_cast<const char*>(&c), 1));
            }
        }
    }
    return out + "\"";
}

std::string RectText(const Rect& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + ","
        + std::to_string(r.bottom);
}

// All stored fields as one byte string, equal exactly when the records are.
std::string Fingerprint(const ControlRecord& r)
{
    std::string s;
    auto num = [&s](int64_t v) { s.append(reinterpret_cast<const char*>(&v), sizeof v); };
    auto str = [&](const std::string& v) {
        num(int64_t(v.size()));
        s += v;
    };
    for (int64_t v : {int64_t(r.rect.left), int64_t(r.rect.top), int64_t(r.rect.right), int64_t(r.rect.bottom),
                      int64_t(r.function), int64_t(r.type), int64_t(r.screen), int64_t(r.reservedA),
                      int64_t(r.reservedB), int64_t(r.ledColour), int64_t(r.ledFlashing), int64_t(r.ledRedGreen),
                      int64_t(r.parameter), int64_t(r.hotKey), int64_t(r.tabGroup), int64_t(r.locked)})
        num(v);
    for (const std::string* v : {&r.text, &r.gcode, &r.image, &r.label, &r.format})
        str(*v);
    return s;
}

// Indices of the pairs (sorted by first index) that keep their relative
// order: a longest increasing run of second indices.
std::vector<bool> InOrder(const std::vector<std::pair<size_t, size_t>>& pairs)
{
    const size_t n = pairs.size();
    std::vector<size_t> tailValue, tailPair; // smallest tail value of each run length
    std::vector<ptrdiff_t> previous(n, -1);
    for (size_t k = 0; k < n; ++k) {
        const size_t v = pairs[k].second;
        const size_t len = size_t(std::lower_bound(tailValue.begin(), tailValue.end(), v) - tailValue.begin());
        if (len > 0)
            previous[k] = ptrdiff_t(tailPair[len - 1]);
        if (len == tailValue.size()) {
            tailValue.push_back(v);
            tailPair.push_back(k);
        } else {
            tailValue[len] = v;
            tailPair[len] = k;
        }
    }
    std::vector<bool> keep(n, false);
    for (ptrdiff_t k = tailPair.empty() ? -1 : ptrdiff_t(tailPair.back()); k >= 0; k = previous[size_t(k)])
        keep[size_t(k)] = true;
    return keep;
}

} // namespace

std::vector<SetDiff::FieldChange> SetDiff::FieldsChanged(const ControlRecord& a, const ControlRecord& b)
{
    std::vector<FieldChange> out;
    auto num = [&out](const char* name, int64_t x, int64_t y) {
        if (x != y)
            out.push_back({name, std::to_string(x), std::to_string(y)});
    };
    auto str = [&out](const char* name, const std::string& x, const std::string& y) {
        if (x != y)
            out.push_back({name, Quote(x), Quote(y)});
    };
    if (a.rect != b.rect)
        out.push_back({"rect", RectText(a.rect), RectText(b.rect)});
    num("function", a.function, b.function);
    num("type", a.type, b.type);
    num("screen", a.screen, b.screen);
    str("text", a.text, b.text);
    str("gcode", a.gcode, b.gcode);
    str("image", a.image, b.image);
    num("reservedA", a.reservedA, b.reservedA);
    num("reservedB", a.reservedB, b.reservedB);
    str("label", a.label, b.label);
    num("ledColour", a.ledColour, b.ledColour);
    num("ledFlashing", a.ledFlashing, b.ledFlashing);
    num("ledRedGreen", a.ledRedGreen, b.ledRedGreen);
    num("parameter", a.parameter, b.parameter);
    num("hotKey", a.hotKey, b.hotKey);
    str("format", a.format, b.format);
    num("tabGroup", a.tabGroup, b.tabGroup);
    if (a.locked != b.locked)
        out.push_back({"locked", a.locked ? "true" : "false", b.locked ? "true" : "false"});
    return out;
}

SetDiff SetDiff::Compare(const ScreenSet& a, const ScreenSet& b)
{
    const auto& A = a.controls;
    const auto& B = b.controls;
    const size_t n = A.size(), m = B.size();
    constexpr size_t kNone = SIZE_MAX;
    std::vector<size_t> partnerOfA(n, kNone), partnerOfB(m, kNone);
    auto pair = [&](size_t i, size_t j) {
        partnerOfA[i] = j;
        partnerOfB[j] = i;
    };

    // Identical runs at both ends, by position.
    size_t head = 0;
    while (head < n && head < m && A[head]->SameStoredFields(*B[head])) {
        pair(head, head);
        ++head;
    }
    size_t tail = 0;
    while (tail < n - head && tail < m - head && A[n - 1 - tail]->SameStoredFields(*B[m - 1 - tail])) {
        pair(n - 1 - tail, m - 1 - tail);
        ++tail;
    }
    const size_t aEnd = n - tail, bEnd = m - tail;

    // Identical controls anywhere in between, in list order.
    {
        std::unordered_map<std::string, std::deque<size_t>> byContent;
        for (size_t i = head; i < aEnd; ++i)
            byContent[Fingerprint(*A[i])].push_back(i);
        for (size_t j = head; j < bEnd; ++j) {
            auto it = byContent.find(Fingerprint(*B[j]));
            if (it != byContent.end() && !it->second.empty()) {
                pair(it->second.front(), j);
                it->second.pop_front();
            }
        }
    }
    auto sameKind = [&](size_t i, size_t j) {
        return A[i]->type == B[j]->type && ControlCaption::Of(*A[i]) == ControlCaption::Of(*B[j]);
    };
    // Same place, same type and caption.
    for (size_t j = head; j < bEnd && j < aEnd; ++j)
        if (partnerOfB[j] == kNone && partnerOfA[j] == kNone && sameKind(j, j))
            pair(j, j);
    // Same type and caption, in list order.
    {
        std::map<std::pair<int32_t, std::string>, std::deque<size_t>> byKind;
        for (size_t i = head; i < aEnd; ++i)
            if (partnerOfA[i] == kNone)
                byKind[{A[i]->type, ControlCaption::Of(*A[i])}].push_back(i);
        for (size_t j = head; j < bEnd; ++j) {
            if (partnerOfB[j] != kNone)
                continue;
            auto it = byKind.find({B[j]->type, ControlCaption::Of(*B[j])});
            if (it != byKind.end() && !it->second.empty()) {
                pair(it->second.front(), j);
                it->second.pop_front();
            }
        }
    }
    // Same place and type (the caption changed), then same type and screen in list order.
    for (size_t j = head; j < bEnd && j < aEnd; ++j)
        if (partnerOfB[j] == kNone && partnerOfA[j] == kNone && A[j]->type == B[j]->type)
            pair(j, j);
    {
        std::map<std::pair<int32_t, int32_t>, std::deque<size_t>> byType;
        for (size_t i = head; i < aEnd; ++i)
            if (partnerOfA[i] == kNone)
                byType[{A[i]->type, A[i]->screen}].push_back(i);
        for (size_t j = head; j < bEnd; ++j) {
            if (partnerOfB[j] != kNone)
                continue;
            auto it = byType.find({B[j]->type, B[j]->screen});
            if (it != byType.end() && !it->second.empty()) {
                pair(it->second.front(), j);
                it->second.pop_front();
            }
        }
    }

    std::vector<std::pair<size_t, size_t>> pairs;
    for (size_t i = 0; i < n; ++i)
        if (partnerOfA[i] != kNone)
            pairs.emplace_back(i, partnerOfA[i]);
    const std::vector<bool> inOrder = InOrder(pairs);

    SetDiff diff;
    for (size_t k = 0; k < pairs.size(); ++k) {
        const auto [i, j] = pairs[k];
        Change c;
        c.kind = Change::Kind::Changed;
        c.before = i;
        c.after = j;
        c.screen = B[j]->screen;
        c.reordered = !inOrder[k];
        c.fields = FieldsChanged(*A[i], *B[j]);
        if (c.reordered || !c.fields.empty())
            diff.changes_.push_back(std::move(c));
    }
    for (size_t i = 0; i < n; ++i)
        if (partnerOfA[i] == kNone) {
            Change c;
            c.kind = Change::Kind::Removed;
            c.before = i;
            c.screen = A[i]->screen;
            diff.changes_.push_back(std::move(c));
        }
    for (size_t j = 0; j < m; ++j)
        if (partnerOfB[j] == kNone) {
            Change c;
            c.kind = Change::Kind::Added;
            c.after = j;
            c.screen = B[j]->screen;
            diff.changes_.push_back(std::move(c));
        }
    std::stable_sort(diff.changes_.begin(), diff.changes_.end(), [](const Change& x, const Change& y) {
        auto key = [](const Change& c) {
            return std::make_tuple(c.screen, c.after ? *c.after : *c.before, c.after.has_value());
        };
        return key(x) < key(y);
    });

    for (int i = 0; i < ColourSet::Count; ++i)
        if (a.colours[size_t(i)] != b.colours[size_t(i)])
            diff.colours_.push_back({i, a.colours[size_t(i)], b.colours[size_t(i)]});
    return diff;
}

} // namespace tavlora
