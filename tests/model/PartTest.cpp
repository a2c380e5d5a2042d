#include "ModelDoubles.h"

#include "model/CPmAnimationBlock.h"

#include <gtest/gtest.h>

#include <memory>

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
        m_log->calls.push_back(visible ? "animation visible" : "animation hidden");
        return 0;
    }

private:
    Log* m_log;
};
} // namespace

TEST(PartTest, SubPartLookupStaysInsideTheSubParts)
{
    TestPart part;
    EXPECT_EQ(part.Block(), nullptr);
    EXPECT_EQ(part.AnimationBlock(), nullptr);
    EXPECT_TRUE(part.Text().IsEmpty());
    EXPECT_EQ(part.NumSubParts(), 0);
    EXPECT_EQ(part.SubPart(0), nullptr);

    auto* first = new TestPart();
    auto* second = new TestPart();
    part.AddPart(first);
    part.AddPart(nullptr);
    part.AddPart(second);
    EXPECT_EQ(part.NumSubParts(), 2);
    EXPECT_EQ(part.SubPart(-1), nullptr);
    EXPECT_EQ(part.SubPart(0), first);
    EXPECT_EQ(part.SubPart(1), second);
    EXPECT_EQ(part.SubPart(2), nullptr);
}

TEST(PartTest, AddBlockPlacesItHiddenAndReplacingKeepsTheOldOne)
{
    Log log;
    TestPart part;
    auto* first = new TestBlock("first", &log);
    part.AddBlock(first);
    part.AddBlock(new TestAnimationBlock(&log));
    EXPECT_EQ(part.Block(), first);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"add hidden first", "animation hidden"}));

    // The replaced block is the caller's again: freeing it here must not
    // leave the part holding it.
    const int liveBefore = g_live;
    part.AddBlock(new TestBlock("second", &log));
    EXPECT_EQ(g_live, liveBefore + 1);
    delete first;
    EXPECT_EQ(log.calls.back(), "add hidden second");
}

TEST(PartTest, RemoveBlockSumsStatusesAndAttemptsEveryRemoval)
{
    Log log;
    std::unique_ptr<TestPart> part(partWithBlock("top", &log, 0));
    TestPart* failing = partWithBlock("failing", &log, 3);
    failing->AddPart(partWithBlock("nested", &log, 4));
    part->AddPart(failing);
    part->AddPart(partWithBlock("last", &log, 0));
    part->AddPart(new TestPart()); // no block: nothing to remove
    part->AddBlock(new TestAnimationBlock(&log));
    log.calls.clear();

    EXPECT_EQ(part->RemoveBlock(), 7);
    EXPECT_EQ(log.calls, (std::vector<std::string>{"remove top", "remove failing", "remove nested",
                                                   "remove last"}));
}

TEST(PartTest, DeletingAPartFreesItsBlocksAndSubPartTree)
{
    Log log;
    const int liveBefore = g_live;
    TestPart* part = partWithBlock("top", &log);
    TestPart* sub = partWithBlock("sub", &log);
    sub->AddPart(partWithBlock("subsub", &log));
    part->AddPart(sub);
    EXPECT_EQ(g_live, liveBefore + 6);
    delete static_cast<CPmPart*>(part);
    EXPECT_EQ(g_live, liveBefore);
}
