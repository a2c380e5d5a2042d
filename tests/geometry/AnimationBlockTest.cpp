#include "tests/support/BlockDrawingTest.h"

#include "cadhost/DwgMemoryFiler.h"
#include "geometry/CIvAcadBlock.h"
#include "geometry/CPmAcadAnimationBlock.h"

#include <sstream>

namespace
{
constexpr Acad::ErrorStatus eOk = Acad::eOk;

using AnimationBlockTest = BlockDrawingTest;

std::wstring dump(const CPmAcadAnimationBlock& block)
{
    std::wstringstream stream;
    stream << block;
    return stream.str();
}

TEST_F(AnimationBlockTest, BuiltFromAPendingBlockItOwnsItsOwnReferenceAndTracksItOncePlaced)
{
    auto source = newSource(L"Boom", {4, 5, 6}, AcGeScale3d(2));
    CIvAcadBlock part(source.get());
    CPmAcadAnimationBlock animation(part);
    EXPECT_NE(part.BlockRef(), nullptr) << "the source keeps its own reference";
    EXPECT_EQ(dump(animation), L"\nCPmAcadAnimationBlock handle: Null\n");

    EXPECT_EQ(animation.AddToDrawing(false), eOk);
    AcDbObjectId id;
    ASSERT_EQ(db()->getAcDbObjectId(id, false, *animation.Handle()), eOk);
    EXPECT_EQ(*animation.RefId(), id);
    const Placed copy = placed(*animation.Handle());
    EXPECT_EQ(copy.definition, source->blockTableRecord());
    EXPECT_EQ(copy.position, AcGePoint3d(4, 5, 6));
    EXPECT_EQ(copy.scale, AcGeScale3d(2));
    EXPECT_EQ(copy.visibility, AcDb::kInvisible);

    animation.SetRefIdNull();
    EXPECT_TRUE(animation.RefId()->isNull());
    EXPECT_EQ(*animation.Handle(), id.handle());
    std::wstringstream expected;
    expected << L"\nCPmAcadAnimationBlock handle: " << id.handle().high() << L", "
             << id.handle().low() << L"\n";
    EXPECT_EQ(dump(animation), expected.str());
}

TEST_F(AnimationBlockTest, BuiltFromAPlacedBlockItReadsTheReferenceInTheDrawing)
{
    auto source = newSource(L"Hook", {1, 1, 1});
    CIvAcadBlock part(source.get());
    ASSERT_EQ(part.AddToDrawing(true), eOk);
    ASSERT_EQ(part.SetPos({3, 2, 1}), eOk);

    CPmAcadAnimationBlock animation(part);
    EXPECT_EQ(animation.AddToDrawing(true), eOk);
    EXPECT_NE(*animation.Handle(), *part.Handle());
    EXPECT_EQ(placed(*animation.Handle()).position, AcGePoint3d(3, 2, 1));
    EXPECT_EQ(placed(*part.Handle()).visibility, AcDb::kVisible) << "the source is untouched";
}

TEST_F(AnimationBlockTest, BuiltFromABlockWithoutReachableReferenceItStaysEmpty)
{
    CIvAcadBlock empty;
    CIvAcadBlock stale;
    DwgMemoryFiler filer;
    filer.writeAcDbHandle(db()->handseed());
    filer.rewind();
    stale.Load(&filer);

    const Adesk::UInt32 objects = db()->numObjects();
    for (const CIvAcadBlock* source : {&empty, &stale})
    {
        CPmAcadAnimationBlock animation(*source);
        EXPECT_EQ(animation.AddToDrawing(false), eOk);
        EXPECT_EQ(*animation.Handle(), AcDbHandle());
        EXPECT_TRUE(animation.RefId()->isNull());
    }
    EXPECT_EQ(db()->numObjects(), objects);
}
} // namespace
