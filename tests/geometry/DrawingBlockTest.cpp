#include "tests/support/BlockDrawingTest.h"

#include "cadhost/DwgMemoryFiler.h"
#include "geometry/CIvAcadBlock.h"

#include <sstream>

namespace
{
constexpr Acad::ErrorStatus eOk = Acad::eOk;

using DrawingBlockTest = BlockDrawingTest;

std::wstring dump(const CIvAcadBlock& block)
{
    std::wstringstream stream;
    stream << block;
    return stream.str();
}

// A block in the loaded state, holding the handle given as a part record would.
void loadHandle(CIvAcadBlock& block, AcDbHandle handle)
{
    DwgMemoryFiler filer;
    filer.writeAcDbHandle(handle);
    filer.rewind();
    block.Load(&filer);
}

TEST_F(DrawingBlockTest, BlocksWithoutHandleRefuseAndPlaceNothing)
{
    CIvAcadBlock empty;
    CIvAcadBlock fromNull(nullptr);
    const Adesk::UInt32 objects = db()->numObjects();
    for (CIvAcadBlock* block : {&empty, &fromNull})
    {
        EXPECT_EQ(block->RemoveFromDrawing(), -1);
        EXPECT_EQ(block->SetPos({1, 2, 3}), -1);
        EXPECT_EQ(block->AddToDrawing(true), eOk);
        EXPECT_EQ(*block->Handle(), AcDbHandle());
        EXPECT_EQ(dump(*block), L"\nCZnAcadBlock handle: Null\n");
    }
    EXPECT_EQ(db()->numObjects(), objects);
}

TEST_F(DrawingBlockTest, HandleIsFiledAloneAndDumpedAsHighAndLowHalves)
{
    CIvAcadBlock block;
    loadHandle(block, AcDbHandle(418, 0));
    EXPECT_EQ(block.BlockRef(), nullptr);
    EXPECT_EQ(dump(block), L"\nCZnAcadBlock handle: 0, 418\n");

    DwgMemoryFiler filer;
    block.Save(&filer);
    EXPECT_EQ(filer.size(), sizeof(Adesk::UInt64)) << "one handle, nothing else";
    CIvAcadBlock high;
    loadHandle(high, AcDbHandle(7, 5));
    EXPECT_EQ(dump(high), L"\nCZnAcadBlock handle: 5, 7\n");
}

TEST_F(DrawingBlockTest, PendingBlockCopiesItsSourceMovesInMemoryAndPlacesOnce)
{
    auto source = newSource(L"Wheel", {1, 2, 3}, AcGeScale3d(2, 3, 4));
    CIvAcadBlock block(source.get());
    ASSERT_NE(block.BlockRef(), nullptr);
    EXPECT_NE(block.BlockRef(), source.get());
    EXPECT_EQ(block.BlockRef()->blockTableRecord(), source->blockTableRecord());
    EXPECT_EQ(block.BlockRef()->scaleFactors(), AcGeScale3d(2, 3, 4));
    EXPECT_EQ(*block.Handle(), AcDbHandle());

    EXPECT_EQ(block.SetPos({7, 8, 9}), eOk);
    EXPECT_EQ(block.BlockRef()->position(), AcGePoint3d(7, 8, 9));
    EXPECT_EQ(source->position(), AcGePoint3d(1, 2, 3));

    // A copy owns its own pending reference; both are freed without a
    // double free when the blocks go.
    CIvAcadBlock copy(block);
    CIvAcadBlock assigned(source.get());
    assigned = block;
    for (const CIvAcadBlock* other : {&copy, &assigned})
    {
        ASSERT_NE(other->BlockRef(), nullptr);
        EXPECT_NE(other->BlockRef(), block.BlockRef());
        EXPECT_EQ(other->BlockRef()->position(), AcGePoint3d(7, 8, 9));
    }

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
    EXPECT_NE(*copy.Handle(), handle);
    EXPECT_EQ(placed(*copy.Handle()).visibility, AcDb::kVisible);
}

TEST_F(DrawingBlockTest, RemovalErasesReferenceAndDefinitionThenReportsTheStaleHandle)
{
    auto source = newSource(L"Crane", {0, 0, 0});
    CIvAcadBlock block(source.get());
    ASSERT_EQ(block.AddToDrawing(true), eOk);
    AcDbObjectId reference;
    ASSERT_EQ(db()->getAcDbObjectId(reference, false, *block.Handle()), eOk);

    EXPECT_EQ(block.RemoveFromDrawing(), eOk);
    EXPECT_EQ(openStatus(reference), Acad::eWasErased);
    EXPECT_EQ(openStatus(source->blockTableRecord()), Acad::eWasErased);
    EXPECT_NE(*block.Handle(), AcDbHandle()) << "the handle stays";
    EXPECT_EQ(block.RemoveFromDrawing(), Acad::eWasErased);
    EXPECT_EQ(block.SetPos({1, 1, 1}), Acad::eWasErased);

    CIvAcadBlock unknown;
    loadHandle(unknown, db()->handseed());
    EXPECT_EQ(unknown.RemoveFromDrawing(), Acad::eUnknownHandle);
}
} // namespace
