#include "geometry/CIvAcadBlock.h"
#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmBlockFactory.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/LegacyModule.h"
#include "tests/storage/StorageTest.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
class FactoryTest : public BlockDrawingTest
{
protected:
    // A part whose block is placed at the origin of a new definition.
    CPmPart* partWithBlock(const ACHAR* name, dpoint3d offset)
    {
        CPmPart* part = CPmDbxFactory200::MakePart();
        part->SetOffset(offset);
        const std::unique_ptr<AcDbBlockReference> reference = newSource(name, {0, 0, 0});
        element source{nullptr, reference.get()};
        part->AddBlock(CPmBlockFactory::CreateBlock(&source));
        return part;
    }

    static AcDbHandle handleOf(const CPmPart* part) { return *part->Block()->Handle(); }
};

// What znsim shows of a loaded copy (names, identifiers, speeds, positions,
// offsets, sub-parts) is held to its description end to end; this is the
// rest of what a copy takes over, or does not.
TEST_F(FactoryTest, ACopyIsDeepAndOutlivesItsSource)
{
    CPmPart* part = partWithBlock(L"Hull", {1, 0, 0});
    part->AddBlock(CPmBlockFactory::CreateAnimationBlock(*part->Block()));
    part->AddPart(partWithBlock(L"Mast", {0, 2, 0}));
    part->AddPart(CPmDbxFactory200::MakePart());
    const AcDbHandle hull = handleOf(part);
    const AcDbHandle mast = handleOf(part->SubPart(0));

    CPmSegment200* moving = CPmDbxFactory200::MakeSegment();
    moving->AddPart(part);
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->AddSegment(moving);
    section->AddSegment(CPmDbxFactory200::MakeSegment()); // a segment without a part

    std::unique_ptr<CPmSim200> source(CPmDbxFactory200::MakeSim(7, 2));
    source->SetName(L"Regatta");
    source->SetDisplayIndex(4);
    source->SetSimInUse(true);
    source->SetIsCurVersion(false);
    source->AddSection(section);
    source->SetLength(99);
    source->SetDttmCreated(CTime(1000000));
    source->SetDttmEdited(CTime(2000000));

    const CTime before = CTime::GetCurrentTime();
    std::unique_ptr<CPmSim200> copy(CPmDbxFactory200::CopySim(*source));
    source.reset();

    EXPECT_EQ(copy->Length(), 99) << "taken over, not recomputed";
    EXPECT_EQ(copy->DttmCreatedTime().GetTime(), 1000000);
    EXPECT_GE(copy->DttmEditedTime().GetTime(), before.GetTime()) << "the copy counts as an edit";
    EXPECT_EQ(copy->DisplayIndex(), 4);
    EXPECT_EQ(copy->SimInUse(), 1);
    EXPECT_FALSE(copy->IsCurVersion());

    ASSERT_EQ(copy->Sections()->size(), 1u);
    const CPmSection200* copiedSection = copy->Sections()->at(0);
    ASSERT_EQ(copiedSection->Segments()->size(), 2u);
    EXPECT_EQ(copiedSection->Segments()->at(1)->Part(), nullptr);
    const CPmPart* copiedPart = copiedSection->Segments()->at(0)->Part();
    ASSERT_NE(copiedPart, nullptr);
    EXPECT_NE(dynamic_cast<const CPmAcadPart*>(copiedPart), nullptr);
    EXPECT_EQ(copiedPart->AnimationBlock(), nullptr) << "animation blocks are not copied";
    ASSERT_NE(dynamic_cast<const CIvAcadBlock*>(copiedPart->Block()), nullptr);
    EXPECT_EQ(handleOf(copiedPart), hull) << "a new block on the same reference";
    ASSERT_EQ(copiedPart->NumSubParts(), 2);
    EXPECT_EQ(handleOf(copiedPart->SubPart(0)), mast);
    EXPECT_EQ(copiedPart->SubPart(1)->Block(), nullptr);
}

TEST_F(FactoryTest, BlocksAreMadeAndCopiedAsDrawingBlocksOrNotAtAll)
{
    const std::unique_ptr<AcDbBlockReference> reference = newSource(L"Crate", {1, 2, 3});
    int notRead = 0;
    element source{&notRead, reference.get()};
    std::unique_ptr<CZnBlock> pending(CPmBlockFactory::CreateBlock(&source));
    ASSERT_NE(pending->BlockRef(), nullptr);
    EXPECT_EQ(pending->BlockRef()->position(), AcGePoint3d(1, 2, 3));
    std::unique_ptr<CZnBlock> empty(CPmBlockFactory::CreateBlock(nullptr));
    EXPECT_EQ(empty->BlockRef(), nullptr);

    // A pending block's copy owns a reference of its own.
    std::unique_ptr<CZnBlock> copy(CPmBlockFactory::CopyBlock(*pending));
    ASSERT_NE(dynamic_cast<CIvAcadBlock*>(copy.get()), nullptr);
    ASSERT_NE(copy->BlockRef(), nullptr);
    EXPECT_NE(copy->BlockRef(), pending->BlockRef());
    EXPECT_EQ(copy->BlockRef()->position(), AcGePoint3d(1, 2, 3));

    // Without the previous release's module no block is taken for one of its
    // blocks, so a block of any other kind is not copied, and neither is the
    // block of a part that holds one.
    ForeignBlock foreign;
    EXPECT_FALSE(LegacyModule::IsBlock(foreign));
    EXPECT_EQ(CPmBlockFactory::CopyBlock(foreign), nullptr);
    std::unique_ptr<CPmPart> part(CPmDbxFactory200::MakePart());
    part->AddBlock(new ForeignBlock());
    std::unique_ptr<CPmPart> copiedPart(CPmDbxFactory200::CopyPart(*part));
    EXPECT_EQ(copiedPart->Block(), nullptr);
    EXPECT_EQ(LegacyModule::LoadSim(L"Regatta"), nullptr);
}
} // namespace
