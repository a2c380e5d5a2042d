// Saving a drawing while the disk fails under it, the system stops the write
// halfway or the process is killed: whatever happens, the file on disk is the
// old drawing or the new one, whole, and nothing else is left beside it.
#include "tests/support/FailingFileSystem.h"
#include "tests/support/HostTest.h"
#include "tests/support/TempFolder.h"

#include "host/AcDbCurves.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
constexpr Acad::ErrorStatus eOk = Acad::eOk;
namespace fs = std::filesystem;
using Fault = FailingFileSystem::Fault;

// Enough vertices for a drawing of over a megabyte, so that saving it takes
// several writes: the writer hands its entries over a megabyte at a time.
constexpr unsigned int kVertices = 30000;

// A child process that saves database at path and exits with the save's
// status. It has been told to save by the time the constructor returns.
class SavingChild
{
public:
    SavingChild(AcDbDatabase* database, const fs::path& path,
                const std::function<void()>& prepare = [] {})
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        mPid = ::fork();
        if (mPid == 0)
        {
            ::close(ready[0]);
            prepare();
            const char go = 'g';
            if (::write(ready[1], &go, 1) != 1)
                ::_exit(255);
            ::_exit(static_cast<int>(database->saveAs(path.wstring().c_str())));
        }
        ::close(ready[1]);
        char go = 0;
        if (mPid > 0 && ::read(ready[0], &go, 1) != 1)
            ADD_FAILURE() << "the child never started saving";
        ::close(ready[0]);
    }

    bool started() const { return mPid > 0; }
    void kill() const { ::kill(mPid, SIGKILL); }

    // The save's status, or -1 when the child did not exit by itself.
    int finish() const
    {
        int status = 0;
        if (::waitpid(mPid, &status, 0) != mPid || !WIFEXITED(status))
            return -1;
        return WEXITSTATUS(status);
    }

private:
    pid_t mPid = -1;
};

class SaveFailureTest : public HostTest
{
protected:
    void SetUp() override
    {
        HostTest::SetUp();
        for (int i = 0; i < 10; ++i)
            appendToModelSpace(new AcDbLine({0, 0, 0}, {1.0 * i, 1, 0}));
        ASSERT_EQ(save(drawing()), eOk);
        m_old = fileBytes(drawing());
    }

    fs::path drawing() const { return m_files / "drawing.zdw"; }
    fs::path expected() const { return m_files / "expected.zdw"; }

    // Grows the drawing to over a megabyte and saves it aside as it is
    // expected to come out.
    void growAndSaveExpected()
    {
        auto* outline = new AcDbPolyline;
        for (unsigned int i = 0; i < kVertices; ++i)
            outline->addVertexAt(i, {1.0 * i, 2.0});
        appendToModelSpace(outline);
        for (int i = 0; i < 100; ++i)
            appendToModelSpace(new AcDbLine({1.0 * i, 0, 0}, {1.0 * i, 2, 3}));
        EXPECT_EQ(save(expected()), eOk);
        m_new = fileBytes(expected());
        EXPECT_GT(m_new.size(), std::size_t{1} << 20);
    }

    // Files beside the drawing and the expected one: a new file left behind.
    std::vector<std::string> leftBehind() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_files.path()))
            if (entry.path() != drawing() && entry.path() != expected())
                names.push_back(entry.path().filename().string());
        return names;
    }

    void removeLeftBehind() const
    {
        for (const std::string& name : leftBehind())
            fs::remove(m_files / name);
    }

    TempFolder m_files;
    std::string m_old;
    std::string m_new;
};

// Every call that writes, flushes, closes or renames is made to fail in turn.
TEST_F(SaveFailureTest, EachFailingCallLeavesThePreviousDrawingAndNoNewFile)
{
    growAndSaveExpected();
    int calls[FailingFileSystem::kKinds] = {};
    {
        FailingFileSystem counting;
        ASSERT_EQ(save(expected()), eOk);
        for (int kind = 0; kind < FailingFileSystem::kKinds; ++kind)
            calls[kind] = counting.calls(static_cast<FailingFileSystem::Kind>(kind));
    }
    ASSERT_GE(calls[FailingFileSystem::kWrite], 5) << "the drawing goes out in several writes";

    const std::pair<Fault, Acad::ErrorStatus> faults[] = {
        {Fault::kWriteError, Acad::eFileAccessErr}, {Fault::kNoSpace, Acad::eOutOfDisk},
        {Fault::kShortWriteThenFull, Acad::eOutOfDisk}, {Fault::kSyncError, Acad::eFileAccessErr},
        {Fault::kCloseError, Acad::eFileAccessErr}, {Fault::kRenameError, Acad::eFileAccessErr}};
    for (const auto& [fault, status] : faults)
    {
        const int count = calls[FailingFileSystem::kindOf(fault)];
        for (int k = 1; k <= count; ++k)
        {
            SCOPED_TRACE("fault " + std::to_string(static_cast<int>(fault)) + " at call " +
                         std::to_string(k));
            FailingFileSystem failing(fault, k);
            EXPECT_EQ(save(drawing()), status);
            EXPECT_TRUE(fileBytes(drawing()) == m_old);
            EXPECT_TRUE(leftBehind().empty());
        }
    }

    // A write the system cuts short is finished by the next one.
    for (int k = 1; k <= calls[FailingFileSystem::kWrite]; ++k)
    {
        writeFile(drawing(), m_old);
        FailingFileSystem failing(Fault::kShortWrite, k);
        EXPECT_EQ(save(drawing()), eOk) << k;
        EXPECT_TRUE(fileBytes(drawing()) == m_new) << k;
    }
}

// The system's own limit on the size of a file stops the write partway, as a
// full disk does.
TEST_F(SaveFailureTest, AWriteTheSystemStopsHalfwayLeavesThePreviousDrawing)
{
    growAndSaveExpected();
    const auto limit = static_cast<rlim_t>(m_new.size() / 2);
    const SavingChild child(db(), drawing(), [limit] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit size{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &size);
    });
    ASSERT_TRUE(child.started());
    EXPECT_EQ(child.finish(), static_cast<int>(Acad::eOutOfDisk));
    EXPECT_TRUE(fileBytes(drawing()) == m_old);
    EXPECT_TRUE(leftBehind().empty());
}

// Killed at any moment of a save, a process leaves the old drawing or the
// new one, never a mix; only its unfinished new file stays beside it.
TEST_F(SaveFailureTest, ASaveKilledAtAnyMomentLeavesTheOldDrawingOrTheNew)
{
    constexpr int kKills = 50;
    growAndSaveExpected();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(SavingChild(db(), drawing()).finish(), static_cast<int>(eOk));
    const auto saveTime = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
    writeFile(drawing(), m_old);
    const unsigned int seed = std::random_device()();
    SCOPED_TRACE("random seed " + std::to_string(seed));
    std::mt19937 random(seed);
    // A little past the save's own time, so that some kills come after it.
    std::uniform_int_distribution<long> delay(0, saveTime.count() * 5 / 4);
    int old = 0;
    for (int i = 0; i < kKills; ++i)
    {
        const SavingChild child(db(), drawing());
        ASSERT_TRUE(child.started());
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        child.kill();
        const int status = child.finish();
        EXPECT_TRUE(status == -1 || status == 0) << status;
        const std::string now = fileBytes(drawing());
        ASSERT_TRUE(now == m_old || now == m_new) << "kill " << i;
        EXPECT_LE(leftBehind().size(), 1U);
        old += now == m_old ? 1 : 0;
        removeLeftBehind();
        writeFile(drawing(), m_old);
    }
    RecordProperty("kills_leaving_the_old_drawing", old);
}
} // namespace
