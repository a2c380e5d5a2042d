#include "tests/support/BlockDrawingTest.h"

#include "geometry/CIvAcadBlock.h"
#include "geometry/CPmAcadAnimationBlock.h"

namespace
{
using AnimationBlockTest = BlockDrawingTest;

TEST_F(AnimationBlockTest, CopiesThePendingOrPlacedReferenceOfItsSourceAndTracksItsOwn)
{
    auto source = newSource(L"Boom", {4, 5, 6}, AcGeScale3d(2));
    CIvAcadBlock pending(source.get());
    CPmAcadAnimationBlock fromPending(pending);
    EXPECT_NE(pending.BlockRef(), nullptr) << "the source keeps its own reference";
    EXPECT_EQ(dumpOf(fromPending), L"\nCPmAcadAnimationBlock handle: Null\n");
    ASSERT_EQ(fromPending.AddToDrawing(false), Acad::eOk);
    EXPECT_EQ(*fromPending.RefId(), idOf(*fromPending.Handle()));
    const Placed copy = placed(*fromPending.Handle());
    EXPECT_EQ(copy.definition, source->blockTableRecord());
    EXPECT_EQ(copy.scale, AcGeScale3d(2));
    EXPECT_EQ(copy.visibility, AcDb::kInvisible);
    fromPending.SetRefIdNull();
    EXPECT_TRUE(fromPending.RefId()->isNull());

    ASSERT_EQ(pending.AddToDrawing(true), Acad::eOk);
    ASSERT_EQ(pending.SetPos({3, 2, 1}), Acad::eOk);
    CPmAcadAnimationBlock fromPlaced(pending);
    ASSERT_EQ(fromPlaced.AddToDrawing(true), Acad::eOk);
    EXPECT_EQ(placed(*fromPlaced.Handle()).position, AcGePoint3d(3, 2, 1));

    CIvAcadBlock stale;
    loadHandle(stale, db()->handseed());
    CPmAcadAnimationBlock fromStale(stale);
    const Adesk::UInt32 objects = db()->numObjects();
    EXPECT_EQ(fromStale.AddToDrawing(false), Acad::eOk);
    EXPECT_EQ(*fromStale.Handle(), AcDbHandle());
    EXPECT_EQ(db()->numObjects(), objects);
}
} // namespace
