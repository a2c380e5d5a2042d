#include "cadhost/HostDiagnostics.h"

#include "cadhost/DiagnosticsRecorder.h"

#include <atomic>
#include <mutex>

namespace cadhost
{
namespace
{
// Function-local state, so that objects allocated during static
// initialisation of any library are counted correctly.
struct Diagnostics
{
    std::atomic<long> liveObjects{0};
    std::mutex mutex;
    long leftOpen = 0;
    std::vector<std::wstring> violations;
};

Diagnostics& diagnostics()
{
    static Diagnostics instance;
    return instance;
}
} // namespace

void countDatabaseObjectAllocated() { ++diagnostics().liveObjects; }

void countDatabaseObjectFreed() { --diagnostics().liveObjects; }

void recordObjectsLeftOpen(long count)
{
    Diagnostics& d = diagnostics();
    const std::lock_guard<std::mutex> lock(d.mutex);
    d.leftOpen += count;
}

void recordEnablementViolation(std::wstring line)
{
    Diagnostics& d = diagnostics();
    const std::lock_guard<std::mutex> lock(d.mutex);
    d.violations.push_back(std::move(line));
}

long liveDatabaseObjects() { return diagnostics().liveObjects; }

long objectsLeftOpen()
{
    Diagnostics& d = diagnostics();
    const std::lock_guard<std::mutex> lock(d.mutex);
    return d.leftOpen;
}

std::vector<std::wstring> enablementViolations()
{
    Diagnostics& d = diagnostics();
    const std::lock_guard<std::mutex> lock(d.mutex);
    return d.violations;
}

void resetDiagnostics()
{
    Diagnostics& d = diagnostics();
    const std::lock_guard<std::mutex> lock(d.mutex);
    d.leftOpen = 0;
    d.violations.clear();
}
} // namespace cadhost
