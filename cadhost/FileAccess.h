// Reading files in windows and replacing them atomically, with the host's
// statuses. Drawing files run to gigabytes: neither reading nor writing one
// holds the whole file in memory.
#pragma once

#include "host/AcadErrorStatus.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <sys/types.h>

namespace cadhost
{
// The operating-system calls a FileReplacement makes to write, flush and put
// its file in place, behind one seam so that tests can make any of them fail
// as a failing disk does. Each answers as the system call it stands for:
// -1 with errno set on failure, and a write may write less than it was asked
// to. The defaults make the real calls.
//
// Whichever of them fails, and at whatever point, FileReplacement keeps its
// promise: the target holds its old bytes and the new file is removed.
// Removing the new file and syncing the folder after the rename stay outside
// the seam: the first must work for the promise to be kept at all, and the
// second can no longer fail a save. Setting the new file's permissions is a
// real call too; its failure fails the save as any other does.
class FileSystemCalls
{
public:
    virtual ~FileSystemCalls() = default;

    // mkstemp: makes and opens a new file named by the template, its
    // trailing X's filled in.
    virtual int makeTemporary(char* pathTemplate);
    // pwrite.
    virtual ssize_t write(int fd, const void* data, std::size_t size, off_t offset);
    // fsync.
    virtual int sync(int fd);
    virtual int close(int fd);
    virtual int rename(const char* from, const char* to);
};

// The calls every FileReplacement made from now on goes through; null puts
// the real ones back. A test's seam must outlive the replacements made while
// it is set; no thread may save while it is changed.
void setFileSystemCalls(FileSystemCalls* calls);

// A regular file open for reading, read a window at a time.
class FileReader
{
public:
    FileReader() = default;
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // eFileNotFound when there is no such file, eFileAccessErr when it cannot
    // be read (no permission, a folder).
    Acad::ErrorStatus open(const std::string& path);
    std::uint64_t size() const { return mSize; }

    // The bytes of [offset, offset + size), valid until the next call; null
    // when the file does not hold them or cannot be read. Windows are read
    // a megabyte or more at a time, so neighbouring small requests cost no
    // further reads.
    const std::uint8_t* bytesAt(std::uint64_t offset, std::size_t size);

private:
    bool readWindow(std::uint64_t offset, std::size_t size);

    int mFd = -1;
    std::uint64_t mSize = 0;
    std::vector<std::uint8_t> mWindow;
    std::uint64_t mWindowStart = 0;
    std::size_t mWindowSize = 0;
};

// A new file written in path's folder (as path.saving-XXXXXX) and put in
// path's place only once it is complete and on disk, so that path holds
// either its old content or all of the new one, even when the process is
// killed at any moment. Until then, and when anything fails, path is
// untouched; the new file is removed unless it was put in place. Only a
// process killed while saving leaves its new file behind, under that name.
class FileReplacement
{
public:
    explicit FileReplacement(const std::string& path);
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Writes at the end, or over bytes already written. After a failure
    // nothing more is written; the first failure's status is kept.
    void append(const std::uint8_t* data, std::size_t size);
    void writeAt(std::uint64_t offset, const std::uint8_t* data, std::size_t size);
    std::uint64_t written() const { return mWritten; }

    // Flushes the new file to disk and renames it over path, only when every
    // write, the flush and the close succeeded: eOutOfDisk when there is no
    // room for the file (the disk is full, a quota or the process's file
    // size limit is reached), eFileAccessErr for any other failure, the
    // first one met since the new file was made.
    Acad::ErrorStatus commit();
    // The system's error number of that first failure; 0 while none.
    int error() const { return mError; }

private:
    void fail(int error);

    FileSystemCalls& mCalls;
    std::string mPath;
    std::string mTemporary;
    int mFd = -1;
    // Whether the new file exists under its temporary name.
    bool mMade = false;
    std::uint64_t mWritten = 0;
    Acad::ErrorStatus mStatus = Acad::eOk;
    int mError = 0;
};
} // namespace cadhost
