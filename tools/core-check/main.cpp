// core-check: reads a screen-set file with the Qt-free core and writes it back
// to another path. Built by the Windows cross build, so that every symbol of
// the core links there as well.
#include "core/AtomicFile.h"
#include "core/ScreenSetFile.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    using namespace tavlora;
    if (argc != 3) {
        std::fprintf(stderr, "Usage: core-check IN.set OUT.set\n");
        return 2;
    }
    std::string bytes, error;
    if (!AtomicFile::ReadAll(argv[1], bytes, error)) {
        std::fprintf(stderr, "core-check: %s\n", error.c_str());
        return 1;
    }
    ScreenSet set;
    const ReadResult read = ScreenSetFile::Read(bytes.data(), bytes.size(), set);
    if (!read.ok) {
        std::fprintf(stderr, "core-check: %s: %s\n", argv[1], read.error.c_str());
        return 1;
    }
    const WriteResult written = ScreenSetFile::Write(set);
    if (!written.ok || !AtomicFile::WriteAll(argv[2], written.bytes, error)) {
        std::fprintf(stderr, "core-check: %s\n", written.ok ? error.c_str() : written.error.c_str());
        return 1;
    }
    std::printf("%zu controls\n", set.Size());
    return 0;
}
