#include "ArchiveWriter.h"

namespace tavlora {

void ArchiveWriter::WriteInt32(int32_t v)
{
    const uint32_t u = uint32_t(v);
    const char b[4] = {char(u), char(u >> 8), char(u >> 16), char(u >> 24)};
    buffer_.append(b, 4);
}

void ArchiveWriter::WriteInt16(int16_t v)
{
    const uint16_t u = uint16_t(v);
    const char b[2] = {char(u), char(u >> 8)};
    buffer_.append(b, 2);
}

void ArchiveWriter::WriteString(std::string_view s)
{
    const size_t n = s.size();
    if (n < 0xFF) {
        buffer_.push_back(char(n));
    } else if (n < 0xFFFE) {
        buffer_.push_back(char(0xFF));
        WriteInt16(int16_t(uint16_t(n)));
    } else {
        buffer_.push_back(char(0xFF));
        WriteInt16(int16_t(0xFFFF));
        WriteInt32(int32_t(uint32_t(n)));
    }
    buffer_.append(s.data(), n);
}

} // namespace tavlora
