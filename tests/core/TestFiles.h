#pragma once

#include "core/ArchiveWriter.h"
#include "core/ScreenSetFile.h"

#include <string>

namespace tavlora::test {

// A set with one record of every type and some unusual values.
inline void FillVariedSet(ScreenSet& set)
{
    for (int type = 1; type <= 11; ++type) {
        auto r = std::make_unique<ControlRecord>();
        r->type = type;
        r->screen = type % 4;
        r->function = type * 3;
        r->text = "Text " + std::to_string(type);
        r->image = "Mill\\Pic" + std::to_string(type) + ".png";
        r->rect = {10 * type, 20 * type, 10 * type + 50, 20 * type + 30};
        r->tabGroup = type - 5;
        r->locked = type % 2 == 0;
        r->hotKey = 0x8000 + type;
        set.Append(std::move(r));
    }
    set.colours.Set(ColourSet::ScreenBack, 0x123456);
}

inline std::string VariedFile()
{
    ScreenSet set;
    FillVariedSet(set);
    return ScreenSetFile::Write(set).bytes;
}

} // namespace tavlora::test
