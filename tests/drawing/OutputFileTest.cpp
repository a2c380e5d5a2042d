// Writing a page, a still or a DXF while the disk fails under it: the old
// file stays whole, nothing is left beside it, and the failure says why, as
// saving a drawing does through the same seam.
#include "drawing/Failure.h"
#include "drawing/OutputFile.h"
#include "tests/support/FailingFileSystem.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

namespace
{
using Fault = FailingFileSystem::Fault;

TEST(OutputFileTest, AFailingDiskLeavesTheOldFileWholeAndNothingBesideIt)
{
    struct Row
    {
        Fault fault;
        // What the failure ends with; empty when the file is written.
        const char* says;
    };
    const Row rows[] = {
        {Fault::kNone, ""},
        {Fault::kShortWrite, ""},
        {Fault::kWriteError, "cannot be written: Input/output error"},
        {Fault::kNoSpace, "cannot be written: No space left on device"},
        {Fault::kShortWriteThenFull, "cannot be written: No space left on device"},
        {Fault::kSyncError, "cannot be written: Input/output error"},
        {Fault::kCloseError, "cannot be written: Input/output error"},
        {Fault::kRenameError, "cannot be written: Input/output error"},
    };
    const std::string page(3 << 20, 'p');
    for (const Row& row : rows)
    {
        SCOPED_TRACE(row.says);
        const TempFolder folder;
        const std::string path = (folder / "page.html").string();
        writeFile(path, "old");
        const FailingFileSystem disk(row.fault, 1);
        try
        {
            ReplaceFile(path, page);
            EXPECT_EQ(*row.says, '\0');
            EXPECT_EQ(fileBytes(path), page);
        }
        catch (const Failure& failure)
        {
            EXPECT_EQ(failure.Kind(), FailureKind::io);
            EXPECT_EQ(failure.what(), path + ": " + row.says);
            EXPECT_EQ(fileBytes(path), "old");
        }
        const auto entries = std::filesystem::directory_iterator(folder.path());
        EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);
    }
}
} // namespace
