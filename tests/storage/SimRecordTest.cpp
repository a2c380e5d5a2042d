#include "cadhost/DwgMemoryFiler.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/TimeBlock.h"
#include "tests/storage/StorageTest.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace
{
constexpr unsigned __int64 kBigId = (1ull << 32) + 7;
constexpr __time64_t kCreated = 1625402096; // 2021-07-04 12:34:56 UTC

// A section whose one segment runs through length positions.
CPmAcadSection200* sectionOfLength(int length)
{
    auto* segment = new CPmAcadSegment200();
    segment->AddPath(std::vector<PmPosition200>(static_cast<std::size_t>(length)));
    auto* section = new CPmAcadSection200();
    section->AddSegment(segment);
    return section;
}

// What a refused read must leave as it was: type 4 and one section.
void fill(CPmAcadSim200& sim)
{
    sim.SetType(4);
    sim.AddSection(sectionOfLength(2));
}

void expectAsFilled(CPmAcadSim200& sim)
{
    EXPECT_EQ(sim.Type(), 4);
    EXPECT_EQ(sim.Sections()->size(), 1u);
}

// A record written value by value in its documented layout: type 8, the
// big identifier, in use, both times, and the count given.
struct Record
{
    Adesk::Int32 version = 200;
    SYSTEMTIME created = EncodeTimeBlock(CTime(kCreated));
    SYSTEMTIME edited = EncodeTimeBlock(CTime(kCreated + 3600));
    Adesk::Int32 sectionCount = 0;

    void writeTo(DwgMemoryFiler& filer) const
    {
        filer.writeSoftPointerId(AcDbObjectId());
        filer.writeInt32(version);
        filer.writeInt32(8);
        filer.writeAcDbHandle(AcDbHandle(Adesk::UInt64(kBigId)));
        filer.writeBool(true);
        filer.writeBytes(&created, sizeof created);
        filer.writeBytes(&edited, sizeof edited);
        filer.writeInt32(sectionCount);
        filer.rewind();
    }
};

class SimRecordTest : public ::testing::Test
{
protected:
    ScopedEnvironment m_zone{"TZ", "UTC0"};
};

TEST_F(SimRecordTest, WritesAndReadsTheDocumentedLayout)
{
    DwgMemoryFiler documented;
    Record().writeTo(documented);

    CPmAcadSim200 sim;
    ASSERT_EQ(sim.dwgInFields(&documented), Acad::eOk);
    EXPECT_EQ(documented.tell(), static_cast<Adesk::Int64>(documented.size()));
    EXPECT_EQ(sim.Type(), 8);
    EXPECT_EQ(sim.Id(), kBigId);
    EXPECT_EQ(sim.SimInUse(), 1);
    EXPECT_EQ(sim.DttmCreatedTime().GetTime(), kCreated);
    EXPECT_TRUE(sim.Sections()->empty());

    DwgMemoryFiler written;
    ASSERT_EQ(sim.dwgOutFields(&written), Acad::eOk);
    ASSERT_EQ(written.size(), documented.size());
    EXPECT_TRUE(std::equal(written.data(), written.data() + written.size(), documented.data()));
}

TEST_F(SimRecordTest, OtherVersionsAskForAProxyAndReadNothingMore)
{
    DwgMemoryFiler upToTheVersion;
    upToTheVersion.writeSoftPointerId(AcDbObjectId());
    upToTheVersion.writeInt32(0);
    for (const Adesk::Int32 version : {101, 201})
    {
        Record record;
        record.version = version;
        DwgMemoryFiler filer;
        record.writeTo(filer);
        CPmAcadSim200 sim;
        fill(sim);
        EXPECT_EQ(sim.dwgInFields(&filer), Acad::eMakeMeProxy);
        EXPECT_EQ(filer.tell(), static_cast<Adesk::Int64>(upToTheVersion.size()));
        EXPECT_FALSE(sim.IsCurVersion());
        expectAsFilled(sim);
    }
}

// A bad time block fails the filer before anything reaches the object; a
// count that the bytes cannot hold ends with the bytes.
TEST_F(SimRecordTest, DamagedRecordsFailTheFilerWithoutPassingForGoodOnes)
{
    Record badCreated;
    badCreated.created.wMonth = 13;
    Record badEdited;
    badEdited.edited.wYear = 1950;
    for (const Record& record : {badCreated, badEdited})
    {
        DwgMemoryFiler filer;
        record.writeTo(filer);
        CPmAcadSim200 sim;
        fill(sim);
        const Acad::ErrorStatus es = sim.dwgInFields(&filer);
        EXPECT_NE(es, Acad::eOk);
        EXPECT_EQ(filer.filerStatus(), es);
        expectAsFilled(sim);
    }

    Record hugeCount;
    hugeCount.sectionCount = 0x7fffffff;
    DwgMemoryFiler filer;
    hugeCount.writeTo(filer);
    CPmAcadSim200 sim;
    sim.dwgInFields(&filer);
    EXPECT_EQ(filer.filerStatus(), Acad::eEndOfFile);
    EXPECT_LE(sim.Sections()->size(), 1u);
}

using StoredSimRecordTest = StorageTest;

// Cancelling files the object in again over what it holds: the sections of
// the moment of opening come back once, not added to the current ones.
TEST_F(StoredSimRecordTest, CancelRestoresTheSectionsAtTheOpen)
{
    auto* sim = new CPmAcadSim200();
    sim->SetName(L"a");
    sim->SetType(3);
    sim->AddSection(sectionOfLength(10));
    sim->AddSection(sectionOfLength(5));
    ASSERT_EQ(sim->Save(), 0);

    AcDbObject* opened = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(opened, sim->objectId(), AcDb::kForWrite), Acad::eOk);
    sim->assertWriteEnabled();
    sim->AddSection(sectionOfLength(4));
    sim->SetType(9);
    ASSERT_EQ(sim->cancel(), Acad::eOk);

    ASSERT_EQ(acdbOpenAcDbObject(opened, sim->objectId(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(sim->Sections()->size(), 2u);
    EXPECT_EQ(sim->Length(), 15);
    EXPECT_EQ(sim->Type(), 3);
    sim->close();
}
} // namespace
