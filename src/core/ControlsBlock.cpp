#include "ControlsBlock.h"

#include "ArchiveReader.h"
#include "ArchiveWriter.h"
#include "ScreenSetFile.h"

namespace tavlora {

std::string ControlsBlock::Write(const std::vector<const ControlRecord*>& records)
{
    ArchiveWriter out;
    out.Reserve(4 + records.size() * 96);
    out.WriteInt32(int32_t(records.size()));
    for (const ControlRecord* rec : records)
        ScreenSetFile::WriteRecord(out, *rec);
    return out.TakeBytes();
}

bool ControlsBlock::Read(const void* data, size_t size, std::vector<std::unique_ptr<ControlRecord>>& records,
                         std::string& error)
{
    std::vector<std::unique_ptr<ControlRecord>> read;
    ArchiveReader in(data, size);
    try {
        const int32_t count = in.ReadInt32("the control count");
        if (count < 0) {
            error = "a negative control count";
            return false;
        }
        if (size_t(count) > kMaxControls) {
            error = std::to_string(count) + " controls, more than the " + std::to_string(kMaxControls)
                + " taken at once";
            return false;
        }
        // The count is checked against the bytes before anything is allocated.
        const size_t fit = in.Remaining() / ScreenSetFile::kMinRecordBytes;
        if (size_t(count) > fit) {
            error = "a count of " + std::to_string(count) + " controls in data that holds at most "
                + std::to_string(fit);
            return false;
        }
        read.reserve(size_t(count));
        for (int32_t i = 0; i < count; ++i) {
            auto rec = std::make_unique<ControlRecord>();
            ScreenSetFile::ReadRecord(in, *rec);
            read.push_back(std::move(rec));
        }
        if (in.Remaining() != 0) {
            error = std::to_string(in.Remaining()) + " bytes after the last control";
            return false;
        }
    } catch (const ArchiveError& e) {
        error = "the data ends at byte " + std::to_string(e.Offset()) + " while reading " + e.Item();
        return false;
    }
    records = std::move(read);
    return true;
}

} // namespace tavlora
