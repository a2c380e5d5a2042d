#include "cadhost/DwgMemoryFiler.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/TimeBlock.h"
#include "tests/storage/StorageTest.h"
#include "tests/support/RecordingFiler.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
constexpr unsigned __int64 kBigId = (1ull << 32) + 7;
// 2021-07-04 12:34:56 and 2022-01-02 03:04:05 UTC.
constexpr __time64_t kCreated = 1625402096;
constexpr __time64_t kEdited = 1641092645;

struct SimDeleter
{
    void operator()(CPmAcadSim200* sim) const { delete sim; }
};
using SimPtr = std::unique_ptr<CPmAcadSim200, SimDeleter>;

// A section whose one segment runs through length positions.
CPmAcadSection200* sectionOfLength(int length)
{
    auto* segment = new CPmAcadSegment200();
    segment->AddPath(std::vector<PmPosition200>(static_cast<std::size_t>(length)));
    auto* section = new CPmAcadSection200();
    section->AddSegment(segment);
    return section;
}

SimPtr sampleSim()
{
    SimPtr sim(new CPmAcadSim200());
    sim->SetName(L"sample");
    sim->SetDisplayIndex(5);
    sim->SetType(3);
    sim->SetId(kBigId);
    sim->SetSimInUse(true);
    sim->SetDttmCreated(CTime(kCreated));
    sim->SetDttmEdited(CTime(kEdited));
    sim->AddSection(sectionOfLength(10));
    sim->AddSection(sectionOfLength(5));
    sim->SetLength(99);
    return sim;
}

// A record written value by value, for records the object would never write.
struct RecordHead
{
    Adesk::Int32 version = 200;
    SYSTEMTIME created = EncodeTimeBlock(CTime(kCreated));
    SYSTEMTIME edited = EncodeTimeBlock(CTime(kEdited));
    Adesk::Int32 sectionCount = 0;
};

void writeRecord(DwgMemoryFiler& filer, const RecordHead& head)
{
    filer.writeSoftPointerId(AcDbObjectId());
    filer.writeInt32(head.version);
    filer.writeInt32(8);
    filer.writeAcDbHandle(AcDbHandle(Adesk::UInt64(9)));
    filer.writeBool(true);
    filer.writeBytes(&head.created, sizeof head.created);
    filer.writeBytes(&head.edited, sizeof head.edited);
    filer.writeInt32(head.sectionCount);
    filer.rewind();
}

// An object holding something, to see what a refused read leaves of it.
SimPtr simHolding()
{
    SimPtr sim(new CPmAcadSim200());
    sim->SetType(4);
    sim->AddSection(sectionOfLength(2));
    return sim;
}

void expectUnchanged(CPmAcadSim200& sim)
{
    EXPECT_EQ(sim.Type(), 4);
    EXPECT_EQ(sim.Id(), 0u);
    EXPECT_EQ(sim.Sections()->size(), 1u);
    EXPECT_EQ(sim.Length(), 2);
}

class SimRecordTest : public ::testing::Test
{
protected:
    ScopedEnvironment m_zone{"TZ", "UTC0"};
};

TEST_F(SimRecordTest, ReadsBackWhatItWroteAndRebuildsTheLength)
{
    const SimPtr written = sampleSim();
    DwgMemoryFiler filer;
    ASSERT_EQ(written->dwgOutFields(&filer), Acad::eOk);
    filer.rewind();

    const SimPtr read(new CPmAcadSim200());
    ASSERT_EQ(read->dwgInFields(&filer), Acad::eOk);
    EXPECT_EQ(filer.filerStatus(), Acad::eOk);
    EXPECT_EQ(filer.tell(), static_cast<Adesk::Int64>(filer.size()));
    EXPECT_EQ(read->Type(), 3);
    EXPECT_EQ(read->Id(), kBigId);
    EXPECT_EQ(read->SimInUse(), 1);
    EXPECT_EQ(read->DttmCreatedTime().GetTime(), kCreated);
    EXPECT_EQ(read->DttmCreated(), written->DttmCreated());
    EXPECT_EQ(read->DttmEdited(), written->DttmEdited());
    ASSERT_EQ(read->Sections()->size(), 2u);
    EXPECT_EQ(read->Sections()->at(0)->Length(), 10);
    EXPECT_EQ(read->Length(), 15);
    EXPECT_TRUE(static_cast<CPmSim200&>(*read).Name()->IsEmpty());
    EXPECT_EQ(read->DisplayIndex(), 0);
    EXPECT_TRUE(read->IsCurVersion());
}

TEST_F(SimRecordTest, WritesTheFieldsInOrderAndAnswersTheCountsStatus)
{
    SimPtr sim(new CPmAcadSim200());
    sim->SetType(3);
    sim->SetId(kBigId);
    RecordingFiler filer;
    EXPECT_EQ(sim->dwgOutFields(&filer), Acad::eOk);
    const std::vector<std::string> kinds{"softPointerId", "int32", "int32", "handle",
                                         "bool",          "bytes", "bytes", "int32"};
    ASSERT_EQ(filer.kinds(), kinds);
    const std::vector<std::string> values{"0",     "200", "3",  "4294967303",
                                          "false", "16",  "16", "0"};
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(filer.calls()[i].value, values[i]) << i;

    RecordingFiler failing;
    failing.setFilerStatus(Acad::eOutOfDisk);
    EXPECT_EQ(sim->dwgOutFields(&failing), Acad::eOutOfDisk);
}

TEST_F(SimRecordTest, OtherVersionsAskForAProxyAndReadNothingMore)
{
    DwgMemoryFiler headOnly;
    headOnly.writeSoftPointerId(AcDbObjectId());
    headOnly.writeInt32(0);
    for (const Adesk::Int32 version : {101, 201})
    {
        RecordHead head;
        head.version = version;
        DwgMemoryFiler filer;
        writeRecord(filer, head);
        const SimPtr sim = simHolding();
        EXPECT_EQ(sim->dwgInFields(&filer), Acad::eMakeMeProxy) << version;
        EXPECT_EQ(filer.tell(), static_cast<Adesk::Int64>(headOnly.size())) << version;
        EXPECT_FALSE(sim->IsCurVersion());
        expectUnchanged(*sim);
    }
}

TEST_F(SimRecordTest, AnUnreadableTimeBlockFailsTheFilerAndLeavesTheObjectAsItWas)
{
    const SYSTEMTIME thirteenthMonth{2021, 13, 0, 4, 8, 34, 56, 0};
    const SYSTEMTIME beforeTheEpoch{1950, 7, 0, 4, 8, 34, 56, 0};
    RecordHead badCreated;
    badCreated.created = thirteenthMonth;
    RecordHead badEdited;
    badEdited.edited = beforeTheEpoch;
    for (const RecordHead& head : {badCreated, badEdited})
    {
        DwgMemoryFiler filer;
        writeRecord(filer, head);
        const SimPtr sim = simHolding();
        const Acad::ErrorStatus es = sim->dwgInFields(&filer);
        EXPECT_NE(es, Acad::eOk);
        EXPECT_EQ(filer.filerStatus(), es);
        expectUnchanged(*sim);
    }
}

TEST_F(SimRecordTest, ADamagedSectionCountEndsWithTheRecord)
{
    RecordHead head;
    head.sectionCount = 0x7fffffff;
    DwgMemoryFiler filer;
    writeRecord(filer, head);
    const SimPtr sim(new CPmAcadSim200());
    sim->dwgInFields(&filer);
    EXPECT_EQ(filer.filerStatus(), Acad::eEndOfFile);
    EXPECT_LE(sim->Sections()->size(), 1u);
}

class StoredSimRecordTest : public StorageTest
{
};

// Cancelling changes files the object in again over what it holds: the
// sections of the moment of opening come back once, not added to the
// current ones.
TEST_F(StoredSimRecordTest, CancelRestoresTheSectionsAtTheOpen)
{
    SimPtr sim = sampleSim();
    CPmAcadSim200* stored = sim.release();
    ASSERT_EQ(stored->Save(), 0);

    AcDbObject* opened = nullptr;
    ASSERT_EQ(acdbOpenAcDbObject(opened, stored->objectId(), AcDb::kForWrite), Acad::eOk);
    stored->assertWriteEnabled();
    stored->AddSection(sectionOfLength(4));
    stored->SetType(9);
    ASSERT_EQ(stored->cancel(), Acad::eOk);

    ASSERT_EQ(acdbOpenAcDbObject(opened, stored->objectId(), AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(stored->Sections()->size(), 2u);
    EXPECT_EQ(stored->Length(), 15);
    EXPECT_EQ(stored->Type(), 3);
    stored->close();
}
} // namespace
