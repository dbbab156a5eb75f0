// JSON of `tavlora-cli build` and of pasted text from arbitrary bytes. A set
// that parses comes back the same through its own JSON, and writes and reads
// back to the same records (moved as saving moves them); what does not parse
// says why.
#include "core/ScreenSetFile.h"
#include "formats/ScreenSetJson.h"

#include <QJsonDocument>

#include <cstdint>
#include <cstdlib>

using namespace tavlora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray json(reinterpret_cast<const char*>(data), qsizetype(size));
    std::vector<std::unique_ptr<ControlRecord>> records;
    QString error;
    const auto controls = ScreenSetJson::ControlsFromJson(json, records, error, 1000);
    if (controls == ScreenSetJson::Controls::Read ? records.size() > 1000 : !records.empty() || error.isEmpty())
        std::abort();
    ScreenSet set, fromJson, again;
    if (!ScreenSetJson::FromJson(json, set, error)) {
        if (error.isEmpty())
            std::abort();
        return 0;
    }
    const WriteResult w = ScreenSetFile::Write(set);
    if (!ScreenSetJson::FromJson(QJsonDocument(ScreenSetJson::ToJson(set, false)).toJson(), fromJson, error)
        || !(fromJson.colours == set.colours) || fromJson.Size() != set.Size()
        || (w.ok ? !ScreenSetFile::Read(w.bytes.data(), w.bytes.size(), again).ok || !(again.colours == set.colours)
                       || again.Size() != set.Size()
                 : w.error.empty()))
        std::abort();
    int64_t dx = 0, dy = 0;
    for (size_t i = 0; i < set.Size(); ++i) {
        dx = std::max<int64_t>(dx, -int64_t(set.At(i).rect.left));
        dy = std::max<int64_t>(dy, -int64_t(set.At(i).rect.top));
    }
    for (size_t i = 0; i < set.Size(); ++i) {
        const Rect& r = set.At(i).rect;
        const Rect moved{int32_t(r.left + dx), int32_t(r.top + dy), int32_t(r.right + dx), int32_t(r.bottom + dy)};
        if (!fromJson.At(i).SameStoredFields(set.At(i))
            || (w.ok && (!again.At(i).SameFieldsButRect(set.At(i)) || !(again.At(i).rect == moved))))
            std::abort();
    }
    return 0;
}
