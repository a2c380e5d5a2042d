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
        m_log->push_back(visible ? "animation visible" : "animation hidden");
        return 0;
    }

private:
    Log* m_log;
};
} // namespace

TEST(PartTest, SubPartLookupStaysInsideTheSubParts)
{
    TestPart part;
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

TEST(PartTest, AddBlockPlacesItHiddenAndReplacingHandsTheOldOneBack)
{
    Log log;
    TestPart part;
    auto* first = new TestBlock("first", &log);
    part.AddBlock(first);
    part.AddBlock(new TestAnimationBlock(&log));
    part.AddBlock(new TestBlock("second", &log));
    EXPECT_EQ(log, (Log{"add hidden first", "animation hidden", "add hidden second"}));
    // The replaced block is the caller's again; the sanitizer build catches
    // a part that still frees it.
    delete first;
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
    log.clear();

    EXPECT_EQ(part->RemoveBlock(), 7);
    EXPECT_EQ(log, (Log{"remove top", "remove failing", "remove nested", "remove last"}));
}
