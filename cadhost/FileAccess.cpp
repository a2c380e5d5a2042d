#include "cadhost/FileAccess.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cadhost
{
namespace
{
Acad::ErrorStatus writeStatusOf(int error)
{
    return error == ENOSPC || error == EDQUOT ? Acad::eOutOfDisk : Acad::eFileAccessErr;
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size)
{
    while (size > 0)
    {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file gets the permissions of the one it replaces, or the usual ones
// under the process's umask, rather than the owner-only mode of a temporary.
mode_t modeFor(const std::string& path)
{
    struct stat existing{};
    if (::stat(path.c_str(), &existing) == 0)
        return existing.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Once renamed, the new file is in place; syncing its folder only makes the
// rename itself survive a crash, so a failure here is not the save's.
void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
    {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

Acad::ErrorStatus readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? Acad::eFileNotFound : Acad::eFileAccessErr;
    struct stat info{};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok)
        bytes.reserve(static_cast<std::size_t>(info.st_size));
    std::uint8_t chunk[1 << 16];
    while (ok)
    {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        ok = got >= 0;
        if (got <= 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    ::close(fd);
    if (!ok)
        bytes.clear();
    return ok ? Acad::eOk : Acad::eFileAccessErr;
}

Acad::ErrorStatus replaceFileAtomically(const std::string& path,
                                        std::initializer_list<const std::vector<std::uint8_t>*> parts)
{
    std::string temporary = path + ".saving-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return writeStatusOf(errno);
    bool ok = ::fchmod(fd, modeFor(path)) == 0;
    for (const std::vector<std::uint8_t>* part : parts)
        ok = ok && writeAll(fd, part->data(), part->size());
    ok = ok && ::fsync(fd) == 0;
    int error = ok ? 0 : errno;
    if (::close(fd) != 0 && ok)
    {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary.c_str(), path.c_str()) != 0)
    {
        ok = false;
        error = errno;
    }
    if (!ok)
    {
        ::unlink(temporary.c_str());
        return writeStatusOf(error);
    }
    syncFolder(folderOf(path));
    return Acad::eOk;
}
} // namespace cadhost
