// znsim runs on one drawing at the same time: one writer at a time, readers
// together, and a run that cannot have the drawing in time says who holds it.
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

// The drawing's lock, held by the test process itself.
class HeldLock
{
public:
    HeldLock(const fs::path& drawing, int operation)
        : m_fd(open((drawing.string() + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666))
    {
        EXPECT_EQ(flock(m_fd, operation), 0);
    }
    ~HeldLock() { close(m_fd); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

private:
    int m_fd;
};

class LockingTest : public ZnsimTest
{
protected:
    // A description of a simulation named name, moving the demo's car.
    std::string Description(const std::string& name) const
    {
        const std::string file = name + ".json";
        writeFile(File(file), R"({"name": ")" + name + R"(", "id": 0, "type": 1, "sections": [
            {"speed": 5, "unit": "mph", "segments": [{"part": {"block": "29"},
             "positions": [{"pt": [0, 0, 0], "heading": 0}, {"pt": [1, 0, 0], "heading": 0}]}]}]})");
        return file;
    }
};

TEST_F(LockingTest, ConcurrentNewCommandsEachStoreOrSaySoAndNoneIsLost)
{
    const fs::path drawing = Demo();
    constexpr int kRuns = 8;
    std::vector<std::string> names;
    for (int i = 0; i < kRuns; ++i)
        names.push_back("Run " + std::to_string(i));
    std::vector<ZnsimRun> runs(kRuns);
    std::vector<std::thread> threads;
    for (int i = 0; i < kRuns; ++i)
    {
        const std::string description = Description(names[i]);
        threads.emplace_back(
            [&, i, description] { runs[i] = Run({"new", "demo.zdw", "--from", description, "--wait", "120"}); });
    }
    for (std::thread& thread : threads)
        thread.join();

    Read(drawing);
    const std::vector<CString> stored = SimulationNames();
    int succeeded = 0;
    for (int i = 0; i < kRuns; ++i)
    {
        SCOPED_TRACE(names[i]);
        const bool isStored =
            std::find(stored.begin(), stored.end(), CString(std::wstring(names[i].begin(), names[i].end()).c_str())) != stored.end();
        if (runs[i].status == 0)
            ++succeeded;
        EXPECT_EQ(isStored, runs[i].status == 0) << runs[i].err;
        EXPECT_EQ(runs[i].err.empty(), runs[i].status == 0) << runs[i].err;
    }
    // With two minutes to wait, every run has its turn; the lock file went
    // and came back under the waiters, and the last one out took it away.
    EXPECT_EQ(succeeded, kRuns);
    EXPECT_EQ(stored.size(), 2u + kRuns);
    EXPECT_FALSE(fs::exists(drawing.string() + ".lock"));
}

TEST_F(LockingTest, AHeldDrawingMakesOthersWaitThenGiveUpNamingTheHolder)
{
    const fs::path drawing = Demo();
    const std::string before = fileBytes(drawing);
    const std::string holder = "busy: held by process " + std::to_string(getpid()) + ": ";
    {
        const HeldLock writer(drawing, LOCK_EX);
        const auto start = std::chrono::steady_clock::now();
        const ZnsimRun waited = Run({"delete", "demo.zdw", "Harbour convoy", "--wait", "0.3"});
        EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
        EXPECT_EQ(waited.status, 5);
        EXPECT_NE(waited.err.find("demo.zdw: " + holder), std::string::npos) << waited.err;
        EXPECT_NE(waited.err.find("gave up after waiting 0.3 s"), std::string::npos) << waited.err;

        // Readers wait for a writer too.
        const ZnsimRun reader = Run({"list", "demo.zdw", "--wait", "0"});
        EXPECT_EQ(reader.status, 5);
        EXPECT_NE(reader.err.find(holder), std::string::npos) << reader.err;
    }
    {
        const HeldLock reader(drawing, LOCK_SH);
        EXPECT_EQ(Run({"list", "demo.zdw", "--wait", "0"}).status, 0);
        EXPECT_EQ(Run({"info", "demo.zdw", "--wait", "0"}).status, 0);
        const ZnsimRun writer = Run({"use", "demo.zdw", "Harbour convoy", "--wait", "0"});
        EXPECT_EQ(writer.status, 5);
        EXPECT_NE(writer.err.find(holder), std::string::npos) << writer.err;
        // demo writes the drawing afresh, and waits like any writer.
        EXPECT_EQ(Run({"demo", "demo.zdw", "--wait", "0"}).status, 5);
    }
    EXPECT_EQ(fileBytes(drawing), before);
    EXPECT_EQ(Run({"use", "demo.zdw", "Harbour convoy", "--wait", "0"}).status, 0);
}

// A lock left by a process killed while holding it does not stay: the
// drawing is free once the process is gone.
TEST_F(LockingTest, AKilledHolderLeavesTheDrawingFree)
{
    const fs::path drawing = Demo();
    const std::string lockFile = drawing.string() + ".lock";
    int locked[2];
    ASSERT_EQ(pipe(locked), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0)
    {
        // Only calls that are safe in a child of a threaded process.
        const int fd = open(lockFile.c_str(), O_RDWR | O_CREAT, 0666);
        if (fd < 0 || flock(fd, LOCK_EX) != 0 || write(locked[1], "x", 1) != 1)
            _exit(1);
        pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(locked[0], &byte, 1), 1);
    EXPECT_EQ(Run({"use", "demo.zdw", "Harbour convoy", "--wait", "0"}).status, 5);
    kill(holder, SIGKILL);
    int status = 0;
    waitpid(holder, &status, 0);
    close(locked[0]);
    close(locked[1]);
    EXPECT_EQ(Run({"use", "demo.zdw", "Harbour convoy", "--wait", "0"}).status, 0);
    EXPECT_FALSE(fs::exists(lockFile));
}
} // namespace
