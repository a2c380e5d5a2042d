#include "tests/support/FailingFileSystem.h"

#include <cerrno>

namespace
{
int failWith(int error)
{
    errno = error;
    return -1;
}
} // namespace

FailingFileSystem::FailingFileSystem(Fault fault, int at) : mFault(fault), mAt(at)
{
    cadhost::setFileSystemCalls(this);
}

FailingFileSystem::~FailingFileSystem() { cadhost::setFileSystemCalls(nullptr); }

FailingFileSystem::Kind FailingFileSystem::kindOf(Fault fault)
{
    switch (fault)
    {
    case Fault::kSyncError:
        return kSync;
    case Fault::kCloseError:
        return kClose;
    case Fault::kRenameError:
        return kRename;
    default:
        return kWrite;
    }
}

bool FailingFileSystem::failsNow(Kind kind)
{
    return ++mCalls[kind] == mAt && mFault != Fault::kNone && kindOf(mFault) == kind;
}

ssize_t FailingFileSystem::write(int fd, const void* data, std::size_t size, off_t offset)
{
    if (mFull)
        return failWith(ENOSPC);
    if (!failsNow(kWrite))
        return FileSystemCalls::write(fd, data, size, offset);
    switch (mFault)
    {
    case Fault::kWriteError:
        return failWith(EIO);
    case Fault::kNoSpace:
        return failWith(ENOSPC);
    default:
        mFull = mFault == Fault::kShortWriteThenFull;
        return FileSystemCalls::write(fd, data, (size + 1) / 2, offset);
    }
}

int FailingFileSystem::sync(int fd)
{
    return failsNow(kSync) ? failWith(EIO) : FileSystemCalls::sync(fd);
}

// Linux frees the descriptor even when close reports an error.
int FailingFileSystem::close(int fd)
{
    const int closed = FileSystemCalls::close(fd);
    return failsNow(kClose) ? failWith(EIO) : closed;
}

int FailingFileSystem::rename(const char* from, const char* to)
{
    return failsNow(kRename) ? failWith(EIO) : FileSystemCalls::rename(from, to);
}
