// Feeds arbitrary bytes to the screen-set reader; a file that reads must write
// back and read again to the same records.
#include "core/ScreenSetFile.h"

#include <cstdint>
#include <cstdlib>

using namespace tavlora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ScreenSet set;
    const ReadResult r = ScreenSetFile::Read(data, size, set);
    if (!r.ok)
        return 0;
    const WriteResult w = ScreenSetFile::Write(set);
    if (!w.ok)
        return 0;
    ScreenSet again;
    const ReadResult r2 = ScreenSetFile::Read(w.bytes.data(), w.bytes.size(), again);
    if (!r2.ok || again.Size() != set.Size() || !(again.colours == set.colours))
        std::abort();
    for (size_t i = 0; i < set.Size(); ++i) {
        if (!again.At(i).SameStoredFields(set.At(i)))
            std::abort();
    }
    return 0;
}
