#include "tests/support/BlockDrawingTest.h"

#include "geometry/CIvAcadBlock.h"
#include "geometry/CPmAcadAnimationBlock.h"

namespace
{
constexpr Acad::ErrorStatus eOk = Acad::eOk;

using DrawingBlockTest = BlockDrawingTest;

TEST_F(DrawingBlockTest, BlocksWithoutReferenceRefuseAndDumpTheirHandle)
{
    CIvAcadBlock empty;
    CIvAcadBlock fromNull(nullptr);
    const Adesk::UInt32 objects = db()->numObjects();
    for (CIvAcadBlock* block : {&empty, &fromNull})
    {
        EXPECT_EQ(block->RemoveFromDrawing(), -1);
        EXPECT_EQ(block->SetPos({1, 2, 3}), -1);
        EXPECT_EQ(block->AddToDrawing(true), eOk);
        EXPECT_EQ(dumpOf(*block), L"\nCZnAcadBlock handle: Null\n");
    }
    EXPECT_EQ(db()->numObjects(), objects);

    CIvAcadBlock loaded;
    loadHandle(loaded, AcDbHandle(418, 0));
    EXPECT_EQ(dumpOf(loaded), L"\nCZnAcadBlock handle: 0, 418\n");
    EXPECT_EQ(loaded.SetPos({1, 2, 3}), Acad::eUnknownHandle);
    loadHandle(loaded, AcDbHandle(7, 5));
    EXPECT_EQ(dumpOf(loaded), L"\nCZnAcadBlock handle: 5, 7\n");
}

TEST_F(DrawingBlockTest, PendingBlockMovesInMemoryAndIsPlacedOnce)
{
    auto source = newSource(L"Wheel", {1, 2, 3}, AcGeScale3d(2, 3, 4));
    CIvAcadBlock block(source.get());
    EXPECT_EQ(block.SetPos({7, 8, 9}), eOk);
    EXPECT_EQ(source->position(), AcGePoint3d(1, 2, 3));

    // Copies own their own pending references: the sanitizer build catches
    // a second owner when the blocks go.
    CIvAcadBlock copy(block);
    CIvAcadBlock assigned(source.get());
    assigned = block;
    EXPECT_NE(copy.BlockRef(), block.BlockRef());
    EXPECT_EQ(assigned.BlockRef()->position(), AcGePoint3d(7, 8, 9));

    // While model space cannot be opened the reference stays pending.
    AcDbObject* space = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(space, modelSpaceId(), AcDb::kForWrite), eOk);
    EXPECT_EQ(block.AddToDrawing(false), Acad::eWasOpenForWrite);
    EXPECT_NE(block.BlockRef(), nullptr);
    space->close();

    EXPECT_EQ(block.AddToDrawing(false), eOk);
    EXPECT_EQ(block.BlockRef(), nullptr);
    const AcDbHandle handle = *block.Handle();
    const Placed hidden = placed(handle);
    EXPECT_EQ(hidden.owner, modelSpaceId());
    EXPECT_EQ(hidden.visibility, AcDb::kInvisible);
    EXPECT_EQ(hidden.definition, source->blockTableRecord());
    EXPECT_EQ(hidden.position, AcGePoint3d(7, 8, 9));

    EXPECT_EQ(block.AddToDrawing(false), eOk);
    EXPECT_EQ(*block.Handle(), handle) << "a second placing changes nothing";
    EXPECT_EQ(block.SetPos({-1, 0, 1}), eOk);
    EXPECT_EQ(placed(handle).position, AcGePoint3d(-1, 0, 1));
    EXPECT_EQ(copy.AddToDrawing(true), eOk);
    EXPECT_EQ(placed(*copy.Handle()).visibility, AcDb::kVisible);
}

TEST_F(DrawingBlockTest, RemovalErasesReferenceAndDefinitionThenReportsTheStaleHandle)
{
    auto source = newSource(L"Crane", {0, 0, 0});
    CIvAcadBlock block(source.get());
    ASSERT_EQ(block.AddToDrawing(true), eOk);
    const AcDbObjectId reference = idOf(*block.Handle());

    EXPECT_EQ(block.RemoveFromDrawing(), eOk);
    EXPECT_EQ(openStatus(reference), Acad::eWasErased);
    EXPECT_EQ(openStatus(source->blockTableRecord()), Acad::eWasErased);
    EXPECT_EQ(block.RemoveFromDrawing(), Acad::eWasErased);
}
TEST_F(DrawingBlockTest, AnimationBlockCopiesThePendingOrPlacedReferenceOfItsSourceAndTracksItsOwn)
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
