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
constexpr __time64_t kCreated = 1625402096; // 2021-07-04 12:34:56 UTC, a Sunday

// A section whose one segment runs through length positions.
CPmAcadSection200* sectionOfLength(int length)
{
    return sectionOf(segmentOf(nullptr, std::vector<PmPosition200>(static_cast<std::size_t>(length))));
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

// A record of another version asks for a proxy and is read no further than
// its version; a bad time block fails the filer before anything reaches the
// object. Either way the object keeps what it held.
TEST_F(SimRecordTest, RecordsItCannotTakeLeaveTheObjectAsItWas)
{
    DwgMemoryFiler upToTheVersion;
    upToTheVersion.writeSoftPointerId(AcDbObjectId());
    upToTheVersion.writeInt32(0);
    Record older, newer, badCreated, badEdited;
    older.version = 101;
    newer.version = 201;
    badCreated.created.wMonth = 13;
    badEdited.edited.wYear = 1950;
    for (const Record& record : {older, newer, badCreated, badEdited})
    {
        DwgMemoryFiler filer;
        record.writeTo(filer);
        CPmAcadSim200 sim;
        sim.SetType(4);
        sim.AddSection(sectionOfLength(2));
        const Acad::ErrorStatus es = sim.dwgInFields(&filer);
        if (record.version != 200)
        {
            EXPECT_EQ(es, Acad::eMakeMeProxy);
            EXPECT_EQ(filer.tell(), static_cast<Adesk::Int64>(upToTheVersion.size()));
            EXPECT_FALSE(sim.IsCurVersion());
        }
        else
        {
            EXPECT_NE(es, Acad::eOk);
            EXPECT_EQ(filer.filerStatus(), es);
        }
        EXPECT_EQ(sim.Type(), 4) << record.version;
        EXPECT_EQ(sim.Sections()->size(), 1u) << record.version;
    }

    // A count that the bytes cannot hold ends with the bytes.
    Record hugeCount;
    hugeCount.sectionCount = 0x7fffffff;
    DwgMemoryFiler filer;
    hugeCount.writeTo(filer);
    CPmAcadSim200 sim;
    sim.dwgInFields(&filer);
    EXPECT_EQ(filer.filerStatus(), Acad::eEndOfFile);
    EXPECT_LE(sim.Sections()->size(), 1u);
}

SYSTEMTIME wallClock(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second)
{
    return SYSTEMTIME{year, month, 0, day, hour, minute, second, 0};
}

bool sameClock(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay &&
           a.wHour == b.wHour && a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

// Zones are given as rules, so that they need no zone files.
using TimeBlockTest = SimRecordTest;

TEST_F(TimeBlockTest, WritesTheLocalClockAndLeavesSummerTimeToTheRuntime)
{
    const ScopedEnvironment zone("TZ", "EST5EDT,M3.2.0,M11.1.0");
    const SYSTEMTIME written = EncodeTimeBlock(CTime(kCreated));
    EXPECT_TRUE(sameClock(written, wallClock(2021, 7, 4, 8, 34, 56)));
    EXPECT_EQ(written.wDayOfWeek, 0) << "a Sunday";
    EXPECT_EQ(written.wMilliseconds, 0);

    SYSTEMTIME odd = written;
    odd.wDayOfWeek = 77;
    odd.wMilliseconds = 999;
    CTime read;
    ASSERT_TRUE(DecodeTimeBlock(odd, read));
    EXPECT_EQ(read.GetTime(), kCreated);
}

// Old years, and times without a local clock (written as zeros), read as
// time zero; other bad fields are refused and leave the time alone.
TEST_F(TimeBlockTest, OldYearsAndUnwritableTimesReadAsTimeZeroAndBadFieldsAreRefused)
{
    for (const __time64_t t : {__time64_t(-1), __time64_t(40000000000)})
        EXPECT_TRUE(sameClock(EncodeTimeBlock(CTime(t)), wallClock(0, 0, 0, 0, 0, 0))) << t;
    for (const WORD year : {WORD(0), WORD(1899)})
    {
        CTime time(12345);
        ASSERT_TRUE(DecodeTimeBlock(wallClock(year, 99, 99, 99, 99, 99), time));
        EXPECT_EQ(time.GetTime(), 0);
    }
    const SYSTEMTIME refused[] = {
        wallClock(2021, 0, 4, 8, 34, 56),  wallClock(2021, 13, 4, 8, 34, 56),
        wallClock(2021, 7, 0, 8, 34, 56),  wallClock(2021, 7, 32, 8, 34, 56),
        wallClock(2021, 7, 4, 24, 34, 56), wallClock(2021, 7, 4, 8, 60, 56),
        wallClock(2021, 7, 4, 8, 34, 60),  wallClock(1950, 7, 4, 8, 34, 56), // before the runtime's range
        wallClock(3500, 7, 4, 8, 34, 56),                                // past it
    };
    for (const SYSTEMTIME& block : refused)
    {
        CTime time(12345);
        EXPECT_FALSE(DecodeTimeBlock(block, time)) << block.wYear << "-" << block.wMonth;
        EXPECT_EQ(time.GetTime(), 12345);
    }
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
