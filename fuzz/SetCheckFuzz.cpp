// The set checks over sets read from arbitrary bytes, with a few target screens
// and catalogs: findings name controls that exist, every control has a
// description and an LED choice.
#include "core/ScreenSetFile.h"
#include "core/SetCheck.h"

#include <cstdint>
#include <cstdlib>

using namespace tavlora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ScreenSet set;
    SetCheck::Options options;
    options.file = ScreenSetFile::Read(data, size, set);
    if (!options.file.ok)
        return 0;
    for (const int side : {768, 0, -1, INT32_MAX}) {
        options.screenWidth = options.screenHeight = side;
        for (const Finding& f : SetCheck::Run(set, options)) {
            if (f.message.empty() || (f.index && *f.index >= set.Size()) || (f.otherIndex && *f.otherIndex >= set.Size()))
                std::abort();
        }
        options.catalogs = {{"DROs.txt", {"DROs.txt", 3}}, {"Buttons.txt", {"Buttons.txt", 0}},
                            {"Leds.txt", {"Leds.txt", -1}}};
    }
    for (size_t i = 0; i < set.Size(); ++i) {
        const int led = set.At(i).LedChoice();
        if (led < -1 || led > 7 || SetCheck::Describe(set, i).empty())
            std::abort();
    }
    return 0;
}
