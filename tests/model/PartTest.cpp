#include "ModelDoubles.h"

#include "model/CPmAnimationBlock.h"

#include <gtest/gtest.h>

using namespace modeltest;

namespace
{
class TestAnimationBlock : public CPmAnimationBlock
{
public:
    explicit TestAnimationBlock(Log* log) : m_log(log) {}
    void DisplayPrint(std::wstringstream&) const override {}
    int AddToDrawing(bool visible) override
    {
        m_log->push_back(visible ? "animation visible" : "animation hidden");
        return 0;
    }

private:
    Log* m_log;
};
} // namespace

// One tree: blocks placed hidden as they come (a replaced block is the
// caller's again, which the sanitizer build holds the part to), sub-parts
// looked up only inside the list, and removal that sums every status and
// attempts every removal, sub-parts' sub-parts included.
TEST(PartTest, BlocksArePlacedHiddenAndRemovalSumsStatusesOverTheWholeTree)
{
    Log log;
    TestPart part;
    EXPECT_EQ(part.SubPart(0), nullptr);
    auto* replaced = new TestBlock("replaced", &log);
    part.AddBlock(replaced);
    part.AddBlock(new TestAnimationBlock(&log));
    part.AddBlock(new TestBlock("top", &log, 0));
    delete replaced;
    TestPart* failing = partWithBlock("failing", &log, 3);
    failing->AddPart(partWithBlock("nested", &log, 4));
    auto* blockless = new TestPart(); // nothing to remove
    part.AddPart(failing);
    part.AddPart(nullptr);
    part.AddPart(partWithBlock("last", &log, 0));
    part.AddPart(blockless);
    EXPECT_EQ(log, (Log{"add hidden replaced", "animation hidden", "add hidden top",
                        "add hidden failing", "add hidden nested", "add hidden last"}));

    EXPECT_EQ(part.NumSubParts(), 3);
    EXPECT_EQ(part.SubPart(-1), nullptr);
    EXPECT_EQ(part.SubPart(0), failing);
    EXPECT_EQ(part.SubPart(2), blockless);
    EXPECT_EQ(part.SubPart(3), nullptr);

    log.clear();
    EXPECT_EQ(part.RemoveBlock(), 7);
    EXPECT_EQ(log, (Log{"remove top", "remove failing", "remove nested", "remove last"}));
}
