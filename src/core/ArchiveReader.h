#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tavlora {

// Raised on truncated or inconsistent input; carries the byte offset at which
// the failing item started and what was being read.
class ArchiveError : public std::runtime_error {
public:
    ArchiveError(size_t offset, const std::string& item, const std::string& detail)
        : std::runtime_error("unexpected end of file at byte offset " + std::to_string(offset)
                             + " while reading " + item + " (" + detail + ")"),
          offset_(offset), item_(item), detail_(detail) {}
    size_t Offset() const { return offset_; }
    const std::string& Item() const { return item_; }
    const std::string& Detail() const { return detail_; }

private:
    size_t offset_;
    std::string item_;
    std::string detail_;
};

// Bounds-checked little-endian reader over an in-memory file image.
class ArchiveReader {
public:
    ArchiveReader(const void* data, size_t size)
        : data_(static_cast<const unsigned char*>(data)), size_(size) {}

    size_t Offset() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }

    int32_t ReadInt32(const char* what);
    int16_t ReadInt16(const char* what);
    // A string in any of the archive's length forms; wide strings are converted
    // to Windows-1252.
    std::string ReadString(const char* what);
    void ReadBytes(void* out, size_t n, const char* what);

private:
    [[noreturn]] void Fail(size_t start, const char* what, size_t needed) const;
    void Need(size_t start, size_t n, const char* what) const;
    uint32_t ReadLength(size_t start, const char* what, bool& wide);

    const unsigned char* data_;
    size_t size_;
    size_t pos_ = 0;
};

} // namespace tavlora
