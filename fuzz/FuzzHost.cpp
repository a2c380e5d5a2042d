#include "fuzz/FuzzHost.h"

#include "cadhost/HostDiagnostics.h"
#include "host/AcRxDynamicLinker.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include <sys/mman.h>
#include <unistd.h>

namespace fuzz
{
namespace
{
[[noreturn]] void fail(const char* what, long count)
{
    std::fprintf(stderr, "fuzz: %s (%ld)\n", what, count);
    std::abort();
}
} // namespace

MemoryFile::MemoryFile() : mFd(memfd_create("fuzz-input", MFD_CLOEXEC))
{
    if (mFd < 0)
        fail("no memory file", errno);
    mPath = "/proc/self/fd/" + std::to_string(mFd);
}

MemoryFile::~MemoryFile()
{
    close(mFd);
}

const std::string& MemoryFile::hold(const std::uint8_t* data, std::size_t size)
{
    if (ftruncate(mFd, 0) != 0 ||
        (size > 0 && pwrite(mFd, data, size, 0) != static_cast<ssize_t>(size)))
        fail("cannot fill the memory file", errno);
    return mPath;
}

void loadModules()
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::read_symlink("/proc/self/exe").parent_path();
    setenv("CommonProgramFiles", (folder.parent_path() / "CommonProgramFiles").c_str(), 0);
    if (!acrxLoadModule((folder / "ZnSim200_2007x64.dbx").wstring().c_str(), false))
        fail("the module cannot be loaded", 0);
}

void checkHostDiagnostics(long liveObjectsBefore)
{
    if (const long open = cadhost::objectsLeftOpen(); open != 0)
        fail("objects left open when their database went", open);
    if (const long live = cadhost::liveDatabaseObjects(); live != liveObjectsBefore)
        fail("database objects leaked", live - liveObjectsBefore);
    if (const auto violations = cadhost::enablementViolations(); !violations.empty())
        fail("objects used without being open for it", static_cast<long>(violations.size()));
}
} // namespace fuzz
