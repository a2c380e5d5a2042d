// Reading files in windows and replacing them atomically, with the host's
// statuses. Drawing files run to gigabytes: neither reading nor writing one
// holds the whole file in memory.
#pragma once

#include "host/AcadErrorStatus.h"

#include <cstdint>
#include <string>
#include <vector>

namespace cadhost
{
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

// A new file written in path's folder and put in path's place only once it
// is complete and on disk, so that path holds either its old content or all
// of the new one. Until then, and when anything fails, path is untouched;
// the new file is removed unless it was put in place.
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

    // Flushes the new file to disk and renames it over path: eOutOfDisk when
    // the disk is full, eFileAccessErr for any other failure, the first one
    // met since the new file was made.
    Acad::ErrorStatus commit();

private:
    void fail(int error);

    std::string mPath;
    std::string mTemporary;
    int mFd = -1;
    // Whether the new file exists under its temporary name.
    bool mMade = false;
    std::uint64_t mWritten = 0;
    Acad::ErrorStatus mStatus = Acad::eOk;
};
} // namespace cadhost
