#include "tests/storage/StorageTest.h"
#include "tests/support/RecordingFiler.h"

#include "cadhost/DwgMemoryFiler.h"
#include "geometry/CIvAcadBlock.h"
#include "geometry/CPmAcadAnimationBlock.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/PartText.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{
using Kinds = std::vector<std::string>;

// A fresh part at offset given its text as the tools give it, through its
// own record.
CPmAcadPart* partWithText(const wchar_t* text, dpoint3d offset = {})
{
    auto* part = new CPmAcadPart();
    part->SetOffset(offset);
    DwgMemoryFiler scratch;
    SetPartText(*part, text, scratch);
    EXPECT_EQ(part->Block(), nullptr) << "the record's stand-in block is not kept";
    return part;
}

// A drawing block in the loaded state, holding handle.
CIvAcadBlock* loadedBlock(AcDbHandle handle)
{
    auto* block = new CIvAcadBlock();
    loadHandle(*block, handle);
    return block;
}

PmPosition200 position(dpoint3d pt, dpoint3d tpt, std::vector<double> angles)
{
    PmPosition200 result{pt, tpt, CZnTransform()};
    result.transform.SetEulerAngles(angles.data());
    return result;
}

class RecordTest : public BlockDrawingTest
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
};

TEST_F(RecordTest, SectionRecordHoldsItsValuesInFilingOrder)
{
    CPmAcadSection200 empty;
    RecordingFiler emptyFiler;
    empty.Save(&emptyFiler);
    EXPECT_EQ(emptyFiler.kinds(), (Kinds{"double", "int32", "int32"}));

    CPmAcadSection200 section;
    section.SetSpeed(100.0, 1);
    CPmAcadPart* part = partWithText(L"wheel");
    part->AddBlock(loadedBlock(AcDbHandle(418, 0)));
    section.AddSegment(segmentOf(part, {position({1, 0, 0}, {}, {0.1, 0.2, 0.3}),
                                        position({}, {}, {0, 0, 0})}));

    RecordingFiler filer;
    section.Save(&filer);
    const char* p = "point3d";
    const char* d = "double";
    ASSERT_EQ(filer.kinds(), (Kinds{d, "int32", "int32", "string", p, "handle", "int32", "int32",
                                    p, d, d, d, p, p, d, d, d, p}));
    const auto& calls = filer.calls();
    EXPECT_EQ(std::stod(calls[0].value), section.Speed()) << "stored miles per hour, unconverted";
    EXPECT_EQ(filer.values("int32"), (Kinds{"1", "1", "0", "2"}));
    EXPECT_EQ(calls[3].value, "wheel");
    EXPECT_EQ(calls[5].value, "418");

    // The block field is one handle whatever the part holds.
    CPmAcadPart foreign;
    foreign.AddBlock(new ForeignBlock());
    RecordingFiler parts;
    foreign.Save(&parts);
    CPmAcadPart().Save(&parts);
    EXPECT_EQ(parts.values("handle"), (Kinds{"77", "0"}));
    EXPECT_EQ(parts.kinds().size(), 8u);
}

TEST_F(RecordTest, SectionReadsBackWhatTheRecordKeeps)
{
    CPmAcadSection200 section;
    section.SetSpeed(50.0, 2);
    // A segment without a part is written as if it had an empty one.
    section.AddSegment(segmentOf(nullptr, {position({5, 5, 5}, {}, {0, 0, 0})}));

    CPmAcadPart* root = partWithText(L"Semi-trailer \u00c4", {1.5, -2, 0.25});
    root->AddBlock(loadedBlock(AcDbHandle(418, 0)));
    root->AddBlock(new CPmAcadAnimationBlock(CIvAcadBlock()));
    CPmAcadPart* a = partWithText(L"a");
    a->AddPart(partWithText(L"a1"));
    a->AddPart(partWithText(L"a2"));
    root->AddPart(a);
    root->AddPart(partWithText(L"b"));
    const dpoint3d pt{0.1, -1e-300, 3.3}, tpt{-0.0, 1.0 / 3.0, 7e22};
    PmPosition200 first = position(pt, tpt, {0.3, -0.4, 0.5});
    first.transform.SetScale(2.0);
    first.transform.SetTranslation(CZnVector(9, 9, 9));
    CPmAcadSegment200* segment = segmentOf(root, {first, position({}, {}, {0, 0, 0})});
    segment->SetLength(99);
    section.AddSegment(segment);

    DwgMemoryFiler filer(db());
    section.Save(&filer);
    filer.rewind();
    CPmAcadSection200 read;
    read.Load(&filer);
    ASSERT_EQ(filer.filerStatus(), Acad::eOk);
    EXPECT_EQ(filer.tell(), static_cast<Adesk::Int64>(filer.size())) << "the whole record is read";

    EXPECT_EQ(read.Speed(), section.Speed());
    EXPECT_EQ(read.SpeedUnits(), 2);
    ASSERT_EQ(read.Segments()->size(), 2u);
    CPmSegment200* back = read.Segments()->at(1);
    EXPECT_EQ(back->Length(), 2);
    EXPECT_EQ(read.Length(), 2);

    const PmPosition200& got = *back->Position(0);
    EXPECT_EQ(std::memcmp(&got.pt, &pt, sizeof pt), 0);
    EXPECT_EQ(std::memcmp(&got.tpt, &tpt, sizeof tpt), 0);
    // The rotation of the angles, translated to pt: the scale and the other
    // translation are not kept.
    CZnTransform expected;
    expected.SetTranslation(CZnVector(pt.x, pt.y, pt.z));
    double angles[3] = {0.3, -0.4, 0.5};
    expected.SetEulerAngles(angles);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_NEAR(got.transform(r, c), expected(r, c), 1e-12) << r << "," << c;

    const CPmPart* part = back->Part();
    const dpoint3d offset = part->Offset();
    EXPECT_TRUE(offset.x == 1.5 && offset.y == -2 && offset.z == 0.25);
    DwgMemoryFiler scratch;
    EXPECT_EQ(PartText(*part, scratch), L"Semi-trailer \u00c4");
    EXPECT_EQ(part->AnimationBlock(), nullptr);
    const auto* block = dynamic_cast<const CIvAcadBlock*>(part->Block());
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(*block->Handle(), AcDbHandle(418, 0));
    ASSERT_EQ(part->NumSubParts(), 2);
    EXPECT_EQ(part->SubPart(0)->NumSubParts(), 2);
    RecordingFiler again;
    read.Save(&again);
    EXPECT_EQ(again.values("string"), (Kinds{"", "Semi-trailer \u00c4", "a", "a1", "a2", "b"}));
}

TEST_F(RecordTest, DamagedRecordsStopAtTheFirstFailureAndEndlessNestingIsRefused)
{
    DwgMemoryFiler damaged(db());
    damaged.writeDouble(10.0);
    damaged.writeInt32(0);
    damaged.writeInt32(0x7FFFFFFF);
    damaged.writeString(L"only a part's text");
    damaged.rewind();
    CPmAcadSection200 section;
    section.Load(&damaged);
    EXPECT_EQ(damaged.filerStatus(), Acad::eEndOfFile);
    EXPECT_LE(section.Segments()->size(), 1u);

    // Refused before the stack runs out.
    DwgMemoryFiler nested(db());
    for (int level = 0; level < 200000; ++level)
    {
        nested.writeString(L"");
        nested.writePoint3d(AcGePoint3d());
        nested.writeAcDbHandle(AcDbHandle());
        nested.writeInt32(1);
    }
    nested.rewind();
    CPmAcadPart part;
    part.Load(&nested);
    EXPECT_EQ(nested.filerStatus(), Acad::eDwgObjectImproperlyRead);
}

// Adding a segment moves the part and its direct sub-parts to the first
// point; reading a section back moves nothing.
TEST_F(RecordTest, AddSegmentMovesTheBlocksToTheStartAndReadingMovesNothing)
{
    CPmAcadPart* root = partWithBlock(L"Root");
    CPmAcadPart* sub = partWithBlock(L"Sub");
    CPmAcadPart* subSub = partWithBlock(L"SubSub");
    sub->AddPart(subSub);
    root->AddPart(sub);
    const PmPosition200 start{{5, 6, 7}, {}, {}}, next{{8, 8, 8}, {}, {}};

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
