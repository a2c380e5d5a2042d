#include "tests/support/BlockDrawingTest.h"

#include "cadhost/DwgMemoryFiler.h"
#include "geometry/CIvAcadBlock.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"

#include <vector>

namespace
{
class AddSegmentTest : public BlockDrawingTest
{
protected:
    // A part whose block is placed, hidden, at the origin.
    CPmAcadPart* partWithBlock(const ACHAR* name)
    {
        auto* part = new CPmAcadPart();
        part->SetOffset({100, 0, 0});
        part->AddBlock(new CIvAcadBlock(newSource(name, {0, 0, 0}).get()));
        return part;
    }

    AcGePoint3d where(const CPmPart* part) { return placed(*part->Block()->Handle()).position; }

    static CPmAcadSegment200* segmentOf(CPmPart* part, std::vector<PmPosition200> path)
    {
        auto* segment = new CPmAcadSegment200();
        segment->AddPart(part);
        segment->AddPath(path);
        return segment;
    }
};

TEST_F(AddSegmentTest, MovesThePartAndItsDirectSubPartsToTheFirstPointAndReadingMovesNothing)
{
    CPmAcadPart* root = partWithBlock(L"Root");
    CPmAcadPart* sub = partWithBlock(L"Sub");
    CPmAcadPart* subSub = partWithBlock(L"SubSub");
    sub->AddPart(subSub);
    root->AddPart(sub);
    PmPosition200 start, next;
    start.pt = {5, 6, 7};
    next.pt = {8, 8, 8};

    CPmAcadSection200 section;
    section.AddSegment(segmentOf(root, {start, next}));
    EXPECT_EQ(section.Length(), 2);
    EXPECT_EQ(where(root), AcGePoint3d(5, 6, 7)) << "to the point itself, not plus the offset";
    EXPECT_EQ(where(sub), AcGePoint3d(5, 6, 7));
    EXPECT_EQ(where(subSub), AcGePoint3d(0, 0, 0));

    CPmAcadPart* still = partWithBlock(L"Still");
    section.AddSegment(segmentOf(still, {}));
    section.AddSegment(segmentOf(nullptr, {start}));
    EXPECT_EQ(section.Segments()->size(), 3u) << "segments without positions or part are added";
    EXPECT_EQ(where(still), AcGePoint3d(0, 0, 0));

    DwgMemoryFiler filer(db());
    section.Save(&filer);
    ASSERT_EQ(static_cast<CIvAcadBlock*>(root->Block())->SetPos({9, 9, 9}), Acad::eOk);
    filer.rewind();
    CPmAcadSection200 read;
    read.Load(&filer);
    EXPECT_EQ(where(read.Segments()->at(0)->Part()), AcGePoint3d(9, 9, 9));
}
} // namespace
