#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tavlora {

namespace fs = std::filesystem;

bool AtomicFile::ReadAll(const std::string& path, std::string& bytes, std::string& error)
{
    std::error_code ec;
    if (fs::is_directory(fs::u8path(path), ec)) {
        error = "cannot read " + path + ": it is a folder";
        return false;
    }
    std::ifstream in(fs::u8path(path), std::ios::binary);
    if (!in) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0) {
        error = "cannot read " + path;
        return false;
    }
    in.seekg(0, std::ios::beg);
    bytes.resize(size_t(size));
    if (size > 0 && !in.read(bytes.data(), size)) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

bool AtomicFile::WriteAll(const std::string& path, std::string_view bytes, std::string& error)
{
    const fs::path target = fs::u8path(path);
    fs::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    std::random_device rd;
    const fs::path temp = dir / (target.filename().string() + ".tmp" + std::to_string(rd() % 1000000));

    FILE* f = std::fopen(temp.string().c_str(), "wb");
    if (!f) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = ok && std::fflush(f) == 0;
#ifndef _WIN32
    ok = ok && ::fsync(::fileno(f)) == 0;
#endif
    const int savedErrno = errno;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        error = "cannot write " + path + ": " + std::strerror(savedErrno ? savedErrno : EIO);
        std::error_code ec;
        fs::remove(temp, ec);
        return false;
    }
    std::error_code ec;
    fs::rename(temp, target, ec);
    if (ec) {
        error = "cannot replace " + path + ": " + ec.message();
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace tavlora
