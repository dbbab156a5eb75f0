#pragma once

#include "ScreenSet.h"

#include <cstddef>
#include <string>

namespace tavlora {

class ArchiveReader;
class ArchiveWriter;

struct ReadResult {
    bool ok = false;
    std::string error;       // empty on success
    size_t errorOffset = 0;  // byte offset of the item that failed
    int32_t recordsRead = 0; // the control count N as stored (a negative N reads no records)
    size_t bytesAfterColours = 0; // bytes after the tenth colour, which are not read
    bool isProtected = false;
    std::string password;    // gcode of the first protected record
};

struct WriteResult {
    bool ok = false;
    std::string error;
    std::string bytes;
};

// The screen-set file format (.set, .sset, .lset): count, records, ten colours.
class ScreenSetFile {
public:
    // Reads a file image into a fresh set (controls and colours only). On
    // failure the set holds whatever was read and the caller discards it.
    static ReadResult Read(const void* data, size_t size, ScreenSet& fresh);
    // Serialises a set with positions normalised so that no left or top is
    // negative. The set is not modified. Refuses a shift that would overflow.
    static WriteResult Write(const ScreenSet& set);

    // One record in the file's field order, exactly as stored (no clamping);
    // a writer's offset (dx, dy) is added to the rectangle. Reading throws
    // ArchiveError at the end of the data.
    static void ReadRecord(ArchiveReader& in, ControlRecord& record);
    static void WriteRecord(ArchiveWriter& out, const ControlRecord& record, int64_t dx = 0, int64_t dy = 0);

    // Protection markers.
    static bool IsProtectionText(const std::string& text);
    static bool IsProtectionGcode(const std::string& gcode);

    // Smallest number of bytes one record can take in a file.
    static constexpr size_t kMinRecordBytes = 3 * 4 + 3 + 2 * 4 + 1 + 5 * 4 + 1 + 2 * 2 + 16;
    static constexpr size_t kColourBytes = 40;
};

} // namespace tavlora
