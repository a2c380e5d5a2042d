#include "app/DrawingLock.h"

#include "app/ExitStatus.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace
{
using Clock = std::chrono::steady_clock;

// How many times a lock file deleted under the wait is opened again, however
// short the wait.
constexpr int kTriesOfADeletedFile = 3;

// How much of a holder's command line a report shows.
constexpr std::size_t kLongestCommand = 200;

// Whether the drawing is one to lock: an existing regular file, or, for a
// command that writes it afresh, no file yet.
bool Lockable(const std::string& drawing, DrawingAccess access)
{
    struct stat status = {};
    if (stat(drawing.c_str(), &status) != 0)
        return access == DrawingAccess::create && errno == ENOENT;
    return S_ISREG(status.st_mode);
}

// Read-write when possible; read-only serves as well for flock, for a lock
// file that someone else made in a folder this user may not write.
int OpenLockFile(const std::string& lockFile)
{
    const int fd = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    return fd >= 0 ? fd : open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
}

std::string CommandLine(const std::string& pid)
{
    std::ifstream in("/proc/" + pid + "/cmdline", std::ios::binary);
    std::string line;
    std::string argument;
    while (std::getline(in, argument, '\0') && line.size() < kLongestCommand)
        line += (line.empty() ? "" : " ") + argument;
    // The report is one line, and a command line may hold anything.
    std::replace_if(line.begin(), line.end(), [](char c) { return c >= 0 && c < ' '; }, ' ');
    return line.size() > kLongestCommand ? line.substr(0, kLongestCommand) + "..." : line;
}

// The processes that the kernel's lock table says hold a flock on the file
// open at fd, as "process PID: COMMAND LINE"; empty when it cannot say (no
// /proc, or holders in another process namespace).
std::string Holders(int fd)
{
    struct stat status = {};
    if (fstat(fd, &status) != 0)
        return "";
    std::ostringstream key;
    key << std::hex;
    key.width(2);
    key.fill('0');
    key << major(status.st_dev) << ':';
    key.width(2);
    key << minor(status.st_dev) << ':' << std::dec << status.st_ino;
    std::ifstream locks("/proc/locks");
    std::string holders;
    std::string entry;
    while (std::getline(locks, entry))
    {
        std::istringstream fields(entry);
        std::string number, kind, mode, access, pid, file;
        fields >> number >> kind >> mode >> access >> pid >> file;
        // "->" marks a request still waiting, not a holder.
        if (kind != "FLOCK" || file != key.str())
            continue;
        holders += (holders.empty() ? "" : "; ") + std::string("process ") + pid;
        const std::string command = CommandLine(pid);
        if (!command.empty())
            holders += ": " + command;
    }
    return holders;
}

// Whether fd is the file now at path: a lock on a file that its last holder
// deleted, while another command may have made a new one, guards nothing.
bool StillAt(int fd, const std::string& path)
{
    struct stat held = {};
    struct stat named = {};
    return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

std::string Busy(const std::string& drawing, int fd, double waitSeconds)
{
    const std::string holders = Holders(fd);
    std::ostringstream waited;
    waited << waitSeconds;
    return drawing + ": busy: held by " + (holders.empty() ? "another process" : holders) +
           "; gave up after waiting " + waited.str() + " s (--wait)";
}
} // namespace

DrawingLock::DrawingLock(const std::string& drawing, DrawingAccess access, double waitSeconds)
{
    if (!Lockable(drawing, access))
        return;
    m_lockFile = LockFile(drawing);
    const int operation = (access == DrawingAccess::read ? LOCK_SH : LOCK_EX) | LOCK_NB;
    const Deadline deadline = Clock::now() + std::chrono::duration<double>(waitSeconds);
    for (int attempt = 1;; ++attempt)
    {
        m_fd = OpenLockFile(m_lockFile);
        if (m_fd < 0)
        {
            if (access == DrawingAccess::read)
                return;
            throw Failure(FailureKind::io, drawing + ": its lock file " + m_lockFile +
                                                            " cannot be made (" + std::strerror(errno) + ")");
        }
        Wait(drawing, operation, deadline, waitSeconds);
        if (StillAt(m_fd, m_lockFile))
            return;
        // Its last holder deleted the file under the wait: on its way out, so
        // worth a few tries even once the wait is over.
        if (attempt >= kTriesOfADeletedFile && Clock::now() >= deadline)
            GiveUp(Busy(drawing, m_fd, waitSeconds));
        close(m_fd);
        m_fd = -1;
    }
}

// The last holder out deletes the lock file. With other readers still in,
// the exclusive lock is refused and the file stays for them.
DrawingLock::~DrawingLock()
{
    if (m_fd < 0)
        return;
    if (flock(m_fd, LOCK_EX | LOCK_NB) == 0 && StillAt(m_fd, m_lockFile))
        unlink(m_lockFile.c_str());
    close(m_fd);
}

std::string DrawingLock::LockFile(const std::string& drawing)
{
    return drawing + ".lock";
}

void DrawingLock::Wait(const std::string& drawing, int operation, Deadline deadline, double waitSeconds)
{
    auto pause = std::chrono::milliseconds(1);
    while (flock(m_fd, operation) != 0)
    {
        if (errno != EWOULDBLOCK && errno != EINTR)
            GiveUp(drawing + ": cannot be locked (" + std::strerror(errno) + ")");
        if (Clock::now() >= deadline)
            GiveUp(Busy(drawing, m_fd, waitSeconds));
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
}

void DrawingLock::GiveUp(const std::string& message)
{
    close(m_fd);
    m_fd = -1;
    throw Failure(FailureKind::io, message);
}
