#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tavlora {

// Little-endian writer producing the archive encoding into a byte buffer.
class ArchiveWriter {
public:
    void Reserve(size_t n) { buffer_.reserve(n); }
    void WriteInt32(int32_t v);
    void WriteInt16(int16_t v);
    // Byte string with the shortest of the three length forms.
    void WriteString(std::string_view s);
    const std::string& Bytes() const { return buffer_; }
    std::string TakeBytes() { return std::move(buffer_); }

private:
    std::string buffer_;
};

} // namespace tavlora
