// What the fuzz targets share: bytes handed to the readers as a file, the
// modules loaded as a host loads them, and the stand-in host's own counts of
// the mistakes the real host punishes, turned into crashes that libFuzzer
// reports with their input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz
{
// A file in memory, never on disk, under a path that any reader can open.
// Each hold replaces its whole content.
class MemoryFile
{
public:
    MemoryFile();
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const std::string& hold(const std::uint8_t* data, std::size_t size);

private:
    int mFd;
    std::string mPath;
};

// Loads the module from the fuzz program's own folder, as znsim does, with
// the previous release's module found where the build lays it out.
void loadModules();

// Aborts when an object was left open, a database object leaked, or an object
// was read or changed without being open for it since the last check.
void checkHostDiagnostics(long liveObjectsBefore);
} // namespace fuzz
