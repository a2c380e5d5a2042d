#include "cadhost/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace cadhost
{
namespace
{
// Reading a megabyte at a time keeps the calls few and the window in cache.
constexpr std::size_t kWindowBytes = std::size_t{1} << 20;

Acad::ErrorStatus writeStatusOf(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG ? Acad::eOutOfDisk
                                                               : Acad::eFileAccessErr;
}

FileSystemCalls& realCalls()
{
    static FileSystemCalls calls;
    return calls;
}

FileSystemCalls* gCalls = nullptr;

FileSystemCalls& currentCalls()
{
    return gCalls != nullptr ? *gCalls : realCalls();
}

// The read and write calls may do part of the work or be interrupted; this
// goes on until all of it is done, or answers false.
template <class Byte, class Transfer>
bool transferAll(Transfer transfer, Byte* data, std::size_t size, std::uint64_t offset)
{
    while (size > 0)
    {
        const ssize_t done = transfer(data, size, static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        size -= static_cast<std::size_t>(done);
        offset += static_cast<std::uint64_t>(done);
    }
    return true;
}

bool writeAll(FileSystemCalls& calls, int fd, const std::uint8_t* data, std::size_t size,
              std::uint64_t offset)
{
    const auto write = [&calls, fd](const std::uint8_t* from, std::size_t count, off_t at) {
        return calls.write(fd, from, count, at);
    };
    return transferAll(write, data, size, offset);
}

bool readAll(int fd, std::uint8_t* data, std::size_t size, std::uint64_t offset)
{
    const auto read = [fd](std::uint8_t* into, std::size_t count, off_t at) {
        return ::pread(fd, into, count, at);
    };
    return transferAll(read, data, size, offset);
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

int FileSystemCalls::makeTemporary(char* pathTemplate) { return ::mkstemp(pathTemplate); }

ssize_t FileSystemCalls::write(int fd, const void* data, std::size_t size, off_t offset)
{
    return ::pwrite(fd, data, size, offset);
}

int FileSystemCalls::sync(int fd) { return ::fsync(fd); }
int FileSystemCalls::close(int fd) { return ::close(fd); }
int FileSystemCalls::rename(const char* from, const char* to) { return ::rename(from, to); }

void setFileSystemCalls(FileSystemCalls* calls) { gCalls = calls; }

FileReader::~FileReader()
{
    if (mFd >= 0)
        ::close(mFd);
}

Acad::ErrorStatus FileReader::open(const std::string& path)
{
    mFd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (mFd < 0)
        return errno == ENOENT || errno == ENOTDIR ? Acad::eFileNotFound : Acad::eFileAccessErr;
    struct stat info{};
    if (::fstat(mFd, &info) != 0 || !S_ISREG(info.st_mode))
        return Acad::eFileAccessErr;
    mSize = static_cast<std::uint64_t>(info.st_size);
    return Acad::eOk;
}

const std::uint8_t* FileReader::bytesAt(std::uint64_t offset, std::size_t size)
{
    if (offset > mSize || size > mSize - offset)
        return nullptr;
    const bool inWindow = offset >= mWindowStart && offset - mWindowStart <= mWindowSize &&
                          size <= mWindowSize - (offset - mWindowStart);
    if (!inWindow && !readWindow(offset, size))
        return nullptr;
    return mWindow.data() + (offset - mWindowStart);
}

bool FileReader::readWindow(std::uint64_t offset, std::size_t size)
{
    const std::size_t wanted = static_cast<std::size_t>(
        std::min<std::uint64_t>(std::max(size, kWindowBytes), mSize - offset));
    if (mWindow.size() < wanted)
        mWindow.resize(wanted);
    mWindowStart = offset;
    mWindowSize = readAll(mFd, mWindow.data(), wanted, offset) ? wanted : 0;
    return mWindowSize == wanted;
}

FileReplacement::FileReplacement(const std::string& path)
    : mCalls(currentCalls()), mPath(path), mTemporary(path + ".saving-XXXXXX")
{
    mFd = mCalls.makeTemporary(mTemporary.data());
    mMade = mFd >= 0;
    if (!mMade || ::fchmod(mFd, modeFor(path)) != 0)
        fail(errno);
}

FileReplacement::~FileReplacement()
{
    if (mFd >= 0)
        mCalls.close(mFd);
    if (mMade)
        ::unlink(mTemporary.c_str());
}

void FileReplacement::fail(int error)
{
    if (mStatus != Acad::eOk)
        return;
    // A write that writes nothing fails without setting errno.
    mError = error != 0 ? error : EIO;
    mStatus = writeStatusOf(mError);
}

void FileReplacement::append(const std::uint8_t* data, std::size_t size)
{
    writeAt(mWritten, data, size);
    mWritten += size;
}

void FileReplacement::writeAt(std::uint64_t offset, const std::uint8_t* data, std::size_t size)
{
    if (mStatus == Acad::eOk && !writeAll(mCalls, mFd, data, size, offset))
        fail(errno);
}

Acad::ErrorStatus FileReplacement::commit()
{
    if (mStatus == Acad::eOk && mCalls.sync(mFd) != 0)
        fail(errno);
    if (mFd >= 0 && mCalls.close(mFd) != 0)
        fail(errno);
    mFd = -1;
    if (mStatus == Acad::eOk && mCalls.rename(mTemporary.c_str(), mPath.c_str()) != 0)
        fail(errno);
    if (mStatus != Acad::eOk)
        return mStatus;
    mMade = false;
    syncFolder(folderOf(mPath));
    return Acad::eOk;
}
} // namespace cadhost
