#include "AtomicFile.h"

#include "Process.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavlora {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTempMarker = ".tavlora-save.";
constexpr int kMaxLinkHops = 40;

std::string Utf8(const fs::path& p)
{
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

std::string ErrnoText(int err)
{
    return std::strerror(err ? err : EIO);
}

// Writes every byte to an open descriptor/stream and syncs it to the disk.
class TempWriter {
public:
    // Creates `path` exclusively; false when it exists or cannot be made.
    bool Create(const fs::path& path, int& err)
    {
#ifdef _WIN32
        const int fd = _wopen(path.wstring().c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY,
                              _S_IREAD | _S_IWRITE);
        if (fd < 0) {
            err = errno;
            return false;
        }
        file_ = _fdopen(fd, "wb");
        if (!file_) {
            err = errno;
            _close(fd);
            return false;
        }
#else
        fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0) {
            err = errno;
            return false;
        }
#endif
        return true;
    }

    // Gives the temporary file the permissions (and, where allowed, the owner)
    // of the file it replaces.
    void CopyAttributesOf(const fs::path& existing)
    {
#ifdef _WIN32
        (void)existing;
#else
        struct stat st {};
        if (::stat(existing.c_str(), &st) != 0)
            return;
        if (::fchown(fd_, st.st_uid, st.st_gid) != 0) {
            // Not the owner: keep our own, but try at least the group.
            (void)!::fchown(fd_, uid_t(-1), st.st_gid);
        }
        (void)!::fchmod(fd_, st.st_mode & 07777);
#endif
    }

    bool Write(std::string_view bytes, int& err)
    {
#ifdef _WIN32
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
            err = errno;
            return false;
        }
        if (std::fflush(file_) != 0 || _commit(_fileno(file_)) != 0) {
            err = errno;
            return false;
        }
#else
        size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                err = errno;
                return false;
            }
            done += size_t(n);
        }
        if (::fsync(fd_) != 0) {
            err = errno;
            return false;
        }
#endif
        return true;
    }

    bool Close(int& err)
    {
        bool ok = true;
#ifdef _WIN32
        if (file_ && std::fclose(file_) != 0) {
            err = errno;
            ok = false;
        }
        file_ = nullptr;
#else
        if (fd_ >= 0 && ::close(fd_) != 0) {
            err = errno;
            ok = false;
        }
        fd_ = -1;
#endif
        return ok;
    }

    ~TempWriter()
    {
        int ignored = 0;
        Close(ignored);
    }

private:
#ifdef _WIN32
    FILE* file_ = nullptr;
#else
    int fd_ = -1;
#endif
};

bool ReplaceFile(const fs::path& from, const fs::path& to, std::string& message)
{
#ifdef _WIN32
    if (!::MoveFileExW(from.wstring().c_str(), to.wstring().c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        message = "error " + std::to_string(::GetLastError());
        return false;
    }
    return true;
#else
    if (::rename(from.c_str(), to.c_str()) != 0) {
        message = ErrnoText(errno);
        return false;
    }
    return true;
#endif
}

// Makes the rename durable: the folder entry reaches the disk too.
void SyncFolder(const fs::path& dir)
{
#ifndef _WIN32
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)::fsync(fd);
        ::close(fd);
    }
#else
    (void)dir;
#endif
}

// Removes temporaries that earlier, killed writes of the same file left behind.
void RemoveLeftovers(const fs::path& dir, const std::string& fileName, const fs::path& keep)
{
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec)
        return;
    std::vector<fs::path> stale;
    for (const fs::directory_entry& entry : it) {
        const std::string name = entry.path().filename().string();
        long pid = 0;
        if (entry.path() != keep && AtomicFile::IsTempOf(fileName, name, &pid)
            && (pid == Process::CurrentId() || !Process::Alive(pid)))
            stale.push_back(entry.path());
    }
    for (const fs::path& p : stale)
        fs::remove(p, ec);
}

} // namespace

bool AtomicFile::ReadAll(const std::string& path, std::string& bytes, std::string& error, long long limit)
{
    bytes.clear();
#ifdef _WIN32
    std::error_code ec;
    const fs::path p = fs::u8path(path);
    if (fs::is_directory(p, ec)) {
        error = "cannot read " + path + ": it is a folder";
        return false;
    }
    std::ifstream in(p, std::ios::binary);
    if (!in) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    in.seekg(0, std::ios::end);
    const long long size = in.tellg();
    in.seekg(0, std::ios::beg);
#else
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + path + ": " + ErrnoText(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const bool folder = S_ISDIR(st.st_mode);
        ::close(fd);
        error = "cannot read " + path + (folder ? ": it is a folder" : ": it is not a regular file");
        return false;
    }
    const long long size = st.st_size;
#endif
    if (size < 0) {
        error = "cannot read " + path;
        return false;
    }
    if (size > limit) {
        error = "cannot read " + path + ": it holds " + std::to_string(size) + " bytes, more than the "
            + std::to_string(limit) + " this file may have";
#ifndef _WIN32
        ::close(fd);
#endif
        return false;
    }
    bytes.resize(size_t(size));
#ifdef _WIN32
    if (size > 0 && !in.read(bytes.data(), size)) {
        error = "cannot read " + path;
        return false;
    }
#else
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            // Shrunk while read, or an error: what was read is not the file.
            error = "cannot read " + path + (n < 0 ? ": " + ErrnoText(errno) : ": it changed while it was read");
            ::close(fd);
            bytes.clear();
            return false;
        }
        done += size_t(n);
    }
    ::close(fd);
#endif
    return true;
}

bool AtomicFile::IsReadOnly(const std::string& path)
{
#ifdef _WIN32
    const DWORD attributes = ::GetFileAttributesW(fs::u8path(path).wstring().c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
#else
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false;
    return (st.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0;
#endif
}

bool AtomicFile::ResolveTarget(const std::string& path, std::string& target, std::string& error)
{
    fs::path p = fs::u8path(path);
    std::error_code ec;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        if (!fs::is_symlink(fs::symlink_status(p, ec))) {
            target = Utf8(p);
            return true;
        }
        const fs::path link = fs::read_symlink(p, ec);
        if (ec) {
            error = "cannot read the link " + Utf8(p) + ": " + ec.message();
            return false;
        }
        p = link.is_absolute() ? link : p.parent_path() / link;
    }
    error = "too many levels of symbolic links at " + path;
    return false;
}

std::string AtomicFile::TempPrefix(const std::string& fileName)
{
    return "." + fileName + kTempMarker;
}

bool AtomicFile::IsTempOf(const std::string& fileName, const std::string& entryName, long* pid)
{
    const std::string prefix = TempPrefix(fileName);
    if (entryName.size() <= prefix.size() || entryName.compare(0, prefix.size(), prefix) != 0)
        return false;
    // PID "." N, both decimal.
    const std::string rest = entryName.substr(prefix.size());
    const size_t dot = rest.find('.');
    if (dot == 0 || dot == std::string::npos || dot + 1 >= rest.size() || dot > 18)
        return false;
    for (size_t i = 0; i < rest.size(); ++i)
        if (i != dot && (rest[i] < '0' || rest[i] > '9'))
            return false;
    if (pid)
        *pid = std::stol(rest.substr(0, dot));
    return true;
}

namespace {

#ifndef _WIN32
// Writes into an existing device or FIFO as it is; a FIFO without a reader
// is refused rather than waited for.
bool WriteInPlace(const std::string& path, std::string_view bytes, std::string& error)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot write " + path + ": "
            + (errno == ENXIO ? std::string("nothing reads from it") : ErrnoText(errno));
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0)
        (void)::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = "cannot write " + path + ": " + ErrnoText(n < 0 ? errno : EIO);
            ::close(fd);
            return false;
        }
        done += size_t(n);
    }
    ::close(fd);
    return true;
}
#endif

} // namespace

bool AtomicFile::WriteAll(const std::string& path, std::string_view bytes, std::string& error, Failure* failure)
{
    Failure ignored;
    Failure& why = failure ? *failure : ignored;
    why = Failure::Other;
    std::string resolved;
    if (!ResolveTarget(path, resolved, error))
        return false;
    const fs::path target = fs::u8path(resolved);
    fs::path dir = target.parent_path();
    if (dir.empty())
        dir = ".";
    const std::string fileName = Utf8(target.filename());
    std::error_code ec;
    const fs::file_status status = fs::status(target, ec);
    const bool existed = fs::exists(status);
    if (existed && !fs::is_regular_file(status)) {
#ifndef _WIN32
        if (fs::is_character_file(status) || fs::is_fifo(status)) {
            if (!WriteInPlace(resolved, bytes, error))
                return false;
            why = Failure::None;
            return true;
        }
#endif
        why = Failure::NotRegular;
        error = "cannot write " + path + ": it is not a regular file";
        return false;
    }
    if (existed && IsReadOnly(resolved)) {
        why = Failure::ReadOnly;
        error = "cannot write " + path + ": the file is read-only";
        return false;
    }

    static std::atomic<unsigned> counter{std::random_device{}() % 100000};
    TempWriter writer;
    fs::path temp;
    int err = 0;
    bool created = false;
    for (int attempt = 0; attempt < 100 && !created; ++attempt) {
        temp = dir / fs::u8path(TempPrefix(fileName) + std::to_string(Process::CurrentId()) + "."
                                + std::to_string(counter++));
        created = writer.Create(temp, err);
        if (!created && err != EEXIST)
            break;
    }
    if (!created) {
        if (existed && (err == EACCES || err == EPERM || err == EROFS)) {
            why = Failure::FolderLocked;
            error = "cannot write " + path + ": no temporary file can be made in the folder " + Utf8(dir) + " ("
                + ErrnoText(err) + "), so the file cannot be replaced safely";
        } else {
            error = "cannot write " + path + ": " + ErrnoText(err);
        }
        return false;
    }
    if (existed)
        writer.CopyAttributesOf(target);
    const bool written = writer.Write(bytes, err);
    const bool closed = writer.Close(err);
    if (!written || !closed) {
        error = "cannot write " + path + ": " + ErrnoText(err);
        fs::remove(temp, ec);
        return false;
    }
    std::string message;
    if (!ReplaceFile(temp, target, message)) {
        error = "cannot replace " + path + ": " + message;
        fs::remove(temp, ec);
        return false;
    }
    SyncFolder(dir);
    RemoveLeftovers(dir, fileName, temp);
    why = Failure::None;
    return true;
}

} // namespace tavlora
