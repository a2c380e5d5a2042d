#include "cadhost/DwgMemoryFiler.h"
#include "storage/CPmAcadPart.h"
#include "storage/PartText.h"

#include <gtest/gtest.h>

// The text goes in and comes out through the part's own record, so a part
// filed whole keeps it, and it reads back from a part that holds sub-parts.
TEST(PartTextTest, TextSetOnAFreshPartTravelsInItsRecord)
{
    CPmAcadPart part;
    part.SetOffset(dpoint3d{1.5, -2, 0.25});
    DwgMemoryFiler scratch;
    SetPartText(part, L"Semi-trailer \u00c4", scratch);
    EXPECT_EQ(part.Block(), nullptr);
    EXPECT_EQ(part.Offset().x, 1.5);
    EXPECT_EQ(part.Offset().y, -2);
    EXPECT_EQ(part.Offset().z, 0.25);

    auto* sub = new CPmAcadPart();
    DwgMemoryFiler subScratch;
    SetPartText(*sub, L"Axle", subScratch);
    part.AddPart(sub);

    DwgMemoryFiler record;
    part.Save(&record);
    record.rewind();
    CPmAcadPart read;
    read.Load(&record);
    EXPECT_EQ(record.filerStatus(), Acad::eOk);
    DwgMemoryFiler readScratch;
    EXPECT_EQ(PartText(read, readScratch), L"Semi-trailer \u00c4");
    ASSERT_EQ(read.NumSubParts(), 1);
    DwgMemoryFiler subReadScratch;
    EXPECT_EQ(PartText(*read.SubPart(0), subReadScratch), L"Axle");
    EXPECT_EQ(read.Offset().y, -2);
}
