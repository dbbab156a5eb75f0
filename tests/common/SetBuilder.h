#pragma once

#include "core/ControlType.h"
#include "core/ScreenSet.h"
#include "core/ScreenSetFile.h"

#include <memory>
#include <string>

namespace tavlora::test {

// Screen sets for the tests, built in memory.
class SetBuilder {
public:
    // Appends a record of a type on a screen at a rectangle; other fields keep
    // the record defaults.
    static ControlRecord& Add(ScreenSet& set, int type, int screen, Rect rect = {})
    {
        auto rec = std::make_unique<ControlRecord>();
        rec->type = type;
        rec->screen = screen;
        rec->rect = rect;
        return set.Append(std::move(rec));
    }

    // Three labels (screens 0, 1, 2) and an LED on screen 50.
    static void Basic(ScreenSet& set)
    {
        Add(set, TypeLabel, 0, {10, 10, 110, 30}).label = "Persistent";
        Add(set, TypeLabel, 1, {10, 40, 110, 60}).label = "One";
        Add(set, TypeLabel, 2, {10, 70, 110, 90}).label = "Two";
        Add(set, TypeLed, 50, {10, 100, 26, 116});
    }

    // One record of every type with some unusual values.
    static void Varied(ScreenSet& set)
    {
        for (int type = 1; type <= 11; ++type) {
            ControlRecord& r = Add(set, type, type % 4, {10 * type, 20 * type, 10 * type + 50, 20 * type + 30});
            r.function = type * 3;
            r.text = "Text " + std::to_string(type);
            r.image = "Mill\\Pic" + std::to_string(type) + ".png";
            r.tabGroup = type - 5;
            r.locked = type % 2 == 0;
            r.hotKey = 0x8000 + type;
        }
        set.colours.Set(ColourSet::ScreenBack, 0x123456);
    }

    static std::string Bytes(const ScreenSet& set) { return ScreenSetFile::Write(set).bytes; }
};

} // namespace tavlora::test
