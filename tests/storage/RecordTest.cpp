#include "tests/support/BlockDrawingTest.h"
#include "tests/support/RecordingFiler.h"

#include "cadhost/DwgMemoryFiler.h"
#include "geometry/CIvAcadBlock.h"
#include "geometry/CPmAcadAnimationBlock.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"

#include <cstring>
#include <string>
#include <vector>

namespace
{
using Kinds = std::vector<std::string>;

class NamedPart : public CPmAcadPart
{
public:
    explicit NamedPart(const wchar_t* text) { m_text = text; }
};

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

// A block that is not a drawing block, as a legacy one is to this module.
class ForeignBlock : public CZnBlock
{
public:
    void DisplayPrint(std::wstringstream&) const override {}
    const AcDbHandle* Handle() const override { return &m_handle; }
    int AddToDrawing(bool) override { return 0; }
    int RemoveFromDrawing() override { return 0; }

private:
    AcDbHandle m_handle = AcDbHandle(77, 0);
};

using RecordTest = HostTest;

TEST_F(RecordTest, SectionRecordHoldsItsValuesInFilingOrder)
{
    CPmAcadSection200 empty;
    RecordingFiler emptyFiler;
    empty.Save(&emptyFiler);
    EXPECT_EQ(emptyFiler.kinds(), (Kinds{"double", "int32", "int32"}));

    CPmAcadSection200 section;
    section.SetSpeed(100.0, 1);
    auto* part = new NamedPart(L"wheel");
    part->AddBlock(loadedBlock(AcDbHandle(418, 0)));
    auto* segment = new CPmAcadSegment200();
    segment->AddPart(part);
    segment->AddPath({position({1, 0, 0}, {}, {0.1, 0.2, 0.3}), position({}, {}, {0, 0, 0})});
    section.AddSegment(segment);

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
}

TEST_F(RecordTest, SectionReadsBackWhatTheRecordKeeps)
{
    CPmAcadSection200 section;
    section.SetSpeed(50.0, 2);
    // A segment without a part is written as if it had an empty one.
    auto* partless = new CPmAcadSegment200();
    partless->AddPath({position({5, 5, 5}, {}, {0, 0, 0})});
    section.AddSegment(partless);

    auto* root = new NamedPart(L"");
    root->AddBlock(loadedBlock(AcDbHandle(418, 0)));
    root->AddBlock(new CPmAcadAnimationBlock(CIvAcadBlock()));
    auto* a = new NamedPart(L"a");
    a->AddPart(new NamedPart(L"a1"));
    a->AddPart(new NamedPart(L"a2"));
    root->AddPart(a);
    root->AddPart(new NamedPart(L"b"));
    const dpoint3d pt{0.1, -1e-300, 3.3}, tpt{-0.0, 1.0 / 3.0, 7e22};
    PmPosition200 first = position(pt, tpt, {0.3, -0.4, 0.5});
    first.transform.SetScale(2.0);
    first.transform.SetTranslation(CZnVector(9, 9, 9));
    auto* segment = new CPmAcadSegment200();
    segment->AddPart(root);
    segment->AddPath({first, position({}, {}, {0, 0, 0})});
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
    EXPECT_EQ(part->AnimationBlock(), nullptr);
    const auto* block = dynamic_cast<const CIvAcadBlock*>(part->Block());
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(*block->Handle(), AcDbHandle(418, 0));
    ASSERT_EQ(part->NumSubParts(), 2);
    EXPECT_EQ(part->SubPart(0)->NumSubParts(), 2);
    RecordingFiler again;
    read.Save(&again);
    EXPECT_EQ(again.values("string"), (Kinds{"", "", "a", "a1", "a2", "b"}));
}

TEST_F(RecordTest, BlockFieldIsOneHandleWhateverThePartHolds)
{
    CPmAcadPart foreign;
    foreign.AddBlock(new ForeignBlock());
    CPmAcadPart none;
    RecordingFiler filer;
    foreign.Save(&filer);
    none.Save(&filer);
    EXPECT_EQ(filer.values("handle"), (Kinds{"77", "0"}));
    EXPECT_EQ(filer.kinds().size(), 8u);
}

TEST_F(RecordTest, DamagedRecordStopsReadingAtTheFirstFailure)
{
    DwgMemoryFiler filer(db());
    filer.writeDouble(10.0);
    filer.writeInt32(0);
    filer.writeInt32(0x7FFFFFFF);
    filer.writeString(L"only a part's text");
    filer.rewind();
    CPmAcadSection200 read;
    read.Load(&filer);
    EXPECT_EQ(filer.filerStatus(), Acad::eEndOfFile);
    EXPECT_LE(read.Segments()->size(), 1u);
}

TEST_F(RecordTest, EndlesslyNestedPartsAreRefusedBeforeTheStackRunsOut)
{
    DwgMemoryFiler filer(db());
    for (int level = 0; level < 200000; ++level)
    {
        filer.writeString(L"");
        filer.writePoint3d(AcGePoint3d());
        filer.writeAcDbHandle(AcDbHandle());
        filer.writeInt32(1);
    }
    filer.rewind();
    CPmAcadPart read;
    read.Load(&filer);
    EXPECT_EQ(filer.filerStatus(), Acad::eDwgObjectImproperlyRead);
}
} // namespace
