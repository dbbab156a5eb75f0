#include "ArchiveReader.h"

#include "Windows1252.h"

#include <cstring>
#include <vector>

namespace tavlora {

void ArchiveReader::Fail(size_t start, const char* what, size_t needed) const
{
    throw ArchiveError(start, what,
                       "needs " + std::to_string(needed) + " bytes, "
                           + std::to_string(size_ - pos_) + " left");
}

void ArchiveReader::Need(size_t start, size_t n, const char* what) const
{
    if (n > size_ - pos_)
        Fail(start, what, n);
}

int32_t ArchiveReader::ReadInt32(const char* what)
{
    Need(pos_, 4, what);
    const unsigned char* p = data_ + pos_;
    uint32_t v = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16)
        | (uint32_t(p[3]) << 24);
    pos_ += 4;
    return int32_t(v);
}

int16_t ArchiveReader::ReadInt16(const char* what)
{
    Need(pos_, 2, what);
    const unsigned char* p = data_ + pos_;
    uint16_t v = uint16_t(p[0] | (p[1] << 8));
    pos_ += 2;
    return int16_t(v);
}

void ArchiveReader::ReadBytes(void* out, size_t n, const char* what)
{
    Need(pos_, n, what);
    std::memcpy(out, data_ + pos_, n);
    pos_ += n;
}

uint32_t ArchiveReader::ReadLength(size_t start, const char* what, bool& wide)
{
    wide = false;
    Need(start, 1, what);
    uint8_t b = data_[pos_++];
    if (b < 0xFF)
        return b;
    Need(start, 2, what);
    uint16_t w = uint16_t(data_[pos_] | (data_[pos_ + 1] << 8));
    pos_ += 2;
    if (w == 0xFFFE) {
        wide = true;
        Need(start, 1, what);
        b = data_[pos_++];
        if (b < 0xFF)
            return b;
        Need(start, 2, what);
        w = uint16_t(data_[pos_] | (data_[pos_ + 1] << 8));
        pos_ += 2;
    }
    if (w < 0xFFFF)
        return w;
    return uint32_t(ReadInt32(what));
}

std::string ArchiveReader::ReadString(const char* what)
{
    const size_t start = pos_;
    bool wide = false;
    uint32_t len = ReadLength(start, what, wide);
    if (!wide) {
        Need(start, len, what);
        std::string s(reinterpret_cast<const char*>(data_ + pos_), len);
        pos_ += len;
        return s;
    }
    const uint64_t bytes = uint64_t(len) * 2;
    if (bytes > size_ - pos_)
        Fail(start, what, size_t(bytes));
    std::vector<char16_t> units(len);
    for (uint32_t i = 0; i < len; ++i)
        units[i] = char16_t(data_[pos_ + 2 * i] | (data_[pos_ + 2 * i + 1] << 8));
    pos_ += size_t(bytes);
    return Windows1252::FromUtf16(units.data(), units.size());
}

} // namespace tavlora
