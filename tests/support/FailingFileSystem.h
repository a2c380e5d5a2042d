// File system calls that fail on purpose, as a failing disk does: the k-th
// call of one kind (counting from 1) fails in the way asked, and every other
// call is the real one. Set as cadhost's file system calls for the object's
// lifetime; it counts the calls of each kind, so a first run without a fault
// tells a test how many there are to fail.
#pragma once

#include "cadhost/FileAccess.h"

#include <array>
#include <cstddef>

class FailingFileSystem : public cadhost::FileSystemCalls
{
public:
    enum class Fault
    {
        kNone,
        // A write that fails with EIO.
        kWriteError,
        // A write that fails with ENOSPC.
        kNoSpace,
        // A write that writes only part of what it was given, after which
        // the disk is full: the next write fails with ENOSPC.
        kShortWriteThenFull,
        // A write that writes only part of what it was given; the rest goes
        // through on the next write, as the system may do at any time.
        kShortWrite,
        kSyncError,
        kCloseError,
        kRenameError,
    };
    enum Kind
    {
        kWrite,
        kSync,
        kClose,
        kRename,
        kKinds
    };

    explicit FailingFileSystem(Fault fault = Fault::kNone, int at = 0);
    ~FailingFileSystem() override;
    FailingFileSystem(const FailingFileSystem&) = delete;
    FailingFileSystem& operator=(const FailingFileSystem&) = delete;

    static Kind kindOf(Fault fault);
    int calls(Kind kind) const { return mCalls[kind]; }

    ssize_t write(int fd, const void* data, std::size_t size, off_t offset) override;
    int sync(int fd) override;
    int close(int fd) override;
    int rename(const char* from, const char* to) override;

private:
    // Counts the call; whether it is the one to fail.
    bool failsNow(Kind kind);

    Fault mFault;
    int mAt;
    bool mFull = false;
    std::array<int, kKinds> mCalls{};
};
