// znsim delete, clean and upgrade on drawings that znsim made or that hold
// simulations of the previous release.
#include "host/AcDbSymbolTable.h"
#include "tests/app/ZnsimTest.h"
#include "tests/legacy101/LegacyTest.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <sstream>

namespace
{
using nlohmann::json;

class ManagingTest : public ZnsimTest
{
protected:
    static bool IsVersion200(const CString& name)
    {
        CPmSim200* stored = CPmAcadSim200::Load(name);
        if (stored != nullptr)
            stored->Close();
        return stored != nullptr;
    }
};

TEST_F(ManagingTest, DeletingWhatOthersStillUseIsRefusedUnlessForced)
{
    const std::filesystem::path drawing = SharedDrawing("demo.zdw");
    const std::string before = fileBytes(drawing);
    const ZnsimRun refused = Run({"delete", "demo.zdw", "Old convoy"});
    EXPECT_EQ(refused.status, 4);
    EXPECT_EQ(refused.err, "znsim: demo.zdw: deleting \"Old convoy\" would erase block definitions "
                           "still in use: \"Tractor\" (block reference 27; simulation \"Old shuttle\"); "
                           "--force does it anyway\n");
    const ZnsimRun cleaning = Run({"clean", "demo.zdw"});
    EXPECT_EQ(cleaning.status, 4);
    EXPECT_NE(cleaning.err.find("cleaning would erase block definitions still in use: \"Tractor\" "
                                "(block reference 27); --force"),
              std::string::npos)
        << cleaning.err;
    EXPECT_EQ(fileBytes(drawing), before);

    const json forced = RunJson({"delete", "demo.zdw", "Old convoy", "--force"});
    EXPECT_EQ(forced["erased_definitions"], json::array({"Tractor"}));
    EXPECT_EQ(forced["still_used"],
              json::parse(R"([{"definition": "Tractor", "references": ["27"], "simulations": ["Old shuttle"]}])"));
    Read(drawing);
    EXPECT_EQ(DefinitionOf(AcDbHandle(0x27)), L"");
}

// A block reference inside a definition that paper space shows uses the
// definition it shows as much as one in model space.
TEST_F(ManagingTest, AReferenceNestedInAnotherDefinitionStillUsesItsDefinition)
{
    const std::filesystem::path drawing = SharedDrawing("demo.zdw");
    Read(drawing);
    AcDbObjectId parkedId;
    ASSERT_EQ(db()->getAcDbObjectId(parkedId, false, AcDbHandle(0x27)), Acad::eOk);
    AcDbBlockReference* parked = nullptr;
    ASSERT_EQ(acdbOpenObject(parked, parkedId, AcDb::kForWrite), Acad::eOk);
    const AcDbObjectId tractor = parked->blockTableRecord();
    parked->erase();
    parked->close();

    AcDbBlockTable* table = nullptr;
    ASSERT_EQ(db()->getBlockTable(table, AcDb::kForWrite), Acad::eOk);
    auto* yard = new AcDbBlockTableRecord;
    yard->setName(L"Yard");
    AcDbObjectId yardId;
    ASSERT_EQ(table->add(yardId, yard), Acad::eOk);
    auto* nested = new AcDbBlockReference(AcGePoint3d(), tractor);
    ASSERT_EQ(yard->appendAcDbEntity(nested), Acad::eOk);
    AcDbHandle nestedHandle;
    nested->getAcDbHandle(nestedHandle);
    nested->close();
    yard->close();
    AcDbBlockTableRecord* paper = nullptr;
    ASSERT_EQ(table->getAt(ACDB_PAPER_SPACE, paper, AcDb::kForWrite), Acad::eOk);
    table->close();
    auto* shown = new AcDbBlockReference(AcGePoint3d(), yardId);
    ASSERT_EQ(paper->appendAcDbEntity(shown), Acad::eOk);
    shown->close();
    paper->close();
    ASSERT_EQ(db()->saveAs(drawing.wstring().c_str()), Acad::eOk);

    const ZnsimRun refused = Run({"delete", "demo.zdw", "Old convoy"});
    EXPECT_EQ(refused.status, 4);
    std::ostringstream handle;
    handle << std::uppercase << std::hex << static_cast<Adesk::UInt64>(nestedHandle);
    EXPECT_NE(refused.err.find("\"Tractor\" (block reference " + handle.str() +
                               "; simulation \"Old shuttle\")"),
              std::string::npos)
        << refused.err;
}

TEST_F(ManagingTest, ASimulationZnsimBuiltDeletesWithoutTakingWhatOthersShow)
{
    const std::filesystem::path drawing = Demo();
    ASSERT_EQ(Run({"new", "demo.zdw", "--from", ZNSIM_SAMPLE}).status, 0);
    const json deleted = RunJson({"delete", "demo.zdw", "Harbour convoy"});
    EXPECT_EQ(deleted["erased_definitions"],
              json::array({"Tractor [Harbour convoy 1]", "Trailer [Harbour convoy 1]",
                           "Tractor [Harbour convoy 2]", "Trailer [Harbour convoy 2]"}));
    EXPECT_TRUE(deleted["still_used"].empty());
    const ZnsimRun shuttle = Run({"show", "demo.zdw", "Quay shuttle"});
    EXPECT_EQ(shuttle.out.find("missing"), std::string::npos) << shuttle.out;
    Read(drawing);
    EXPECT_EQ(DefinitionOf(AcDbHandle(0x27)), L"Tractor");
    EXPECT_EQ(DefinitionOf(AcDbHandle(0x28)), L"Trailer");
}

TEST_F(ManagingTest, DeleteAnswersDeletedNotFoundAndInUse)
{
    const std::filesystem::path drawing = Demo();
    ASSERT_EQ(Run({"use", "demo.zdw", "Harbour convoy"}).status, 0);
    const std::string inUse = fileBytes(drawing);
    const ZnsimRun refused = Run({"delete", "demo.zdw", "Harbour convoy"});
    EXPECT_EQ(refused.status, 4);
    EXPECT_NE(refused.err.find("is in use"), std::string::npos) << refused.err;
    EXPECT_EQ(fileBytes(drawing), inUse);

    // Names compare without letter case; reports give the stored spelling.
    const ZnsimRun anyCase = Run({"delete", "demo.zdw", "harbour CONVOY"});
    EXPECT_EQ(anyCase.status, 4);
    EXPECT_NE(anyCase.err.find("\"Harbour convoy\" is in use"), std::string::npos) << anyCase.err;
    const ZnsimRun missing = Run({"delete", "demo.zdw", "Harbour convoys"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("no simulation named \"Harbour convoys\""), std::string::npos);
    EXPECT_EQ(fileBytes(drawing), inUse);

    ASSERT_EQ(Run({"unuse", "demo.zdw", "HARBOUR convoy"}).status, 0);
    const ZnsimRun deleted = Run({"delete", "demo.zdw", "harbour convoy"});
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(deleted.out, "Deleted \"Harbour convoy\" from demo.zdw.\n");
    Read(drawing);
    EXPECT_EQ(SimulationNames(), std::vector<CString>{L"Ferry crossing"});
}

TEST_F(ManagingTest, CleanRemovesEverySimulationInUseOrNot)
{
    const std::filesystem::path drawing = Demo();
    ASSERT_EQ(Run({"use", "demo.zdw", "Ferry crossing"}).status, 0);
    EXPECT_EQ(RunJson({"clean", "demo.zdw"})["removed"], 2);
    Read(drawing);
    EXPECT_TRUE(SimulationNames().empty());
}

TEST_F(ManagingTest, UpgradeStoresVersion101SimulationsAgainAsVersion200)
{
    storeLegacySim(L"Old barge", 0, true);
    storeLegacySim(L"Old ferry", 0, false);
    const std::filesystem::path drawing = File("legacy.zdw");
    ASSERT_EQ(db()->saveAs(drawing.wstring().c_str()), Acad::eOk);

    const json listed = RunJson({"list", "legacy.zdw"});
    ASSERT_EQ(listed["simulations"].size(), 2u);
    for (const json& sim : listed["simulations"])
        EXPECT_EQ(sim["version"], 101);
    // A mark cannot be stored on a simulation that is still version 101.
    EXPECT_EQ(Run({"unuse", "legacy.zdw", "Old barge"}).status, 4);

    ASSERT_EQ(Run({"upgrade", "legacy.zdw", "OLD FERRY"}).status, 0);
    Read(drawing);
    EXPECT_EQ(SimulationNames(), (std::vector<CString>{L"Old barge", L"Old ferry"}));
    EXPECT_TRUE(IsVersion200(L"Old ferry"));
    EXPECT_FALSE(IsVersion200(L"Old barge"));

    ASSERT_EQ(Run({"upgrade", "legacy.zdw", "--all"}).status, 0);
    Read(drawing);
    EXPECT_TRUE(IsVersion200(L"Old barge"));
    CPmSim200* barge = CPmAcadSim200::Load(L"Old barge");
    ASSERT_NE(barge, nullptr);
    EXPECT_EQ(barge->SimInUse(), 1);
    EXPECT_EQ(barge->Length(), 2);
    barge->Close();

    const std::string upgraded = fileBytes(drawing);
    EXPECT_TRUE(RunJson({"upgrade", "legacy.zdw", "--all"})["upgraded"].empty());
    EXPECT_EQ(fileBytes(drawing), upgraded);
}
// Without the previous release's module its simulations are proxies, whose
// class does not let them be erased: clean and delete leave them, and say so.
TEST_F(ManagingTest, Version101SimulationsKeptAsProxiesSurviveCleanAndDelete)
{
    storeLegacySim(L"Old barge", 0, false);
    storeLegacySim(L"Old ferry", 0, true);
    const std::filesystem::path drawing = File("legacy.zdw");
    ASSERT_EQ(db()->saveAs(drawing.wstring().c_str()), Acad::eOk);
    const std::string before = fileBytes(drawing);
    const ScopedEnvironment noLegacyModule("CommonProgramFiles", File("nowhere").c_str());

    const ZnsimRun deleted = Run({"delete", "legacy.zdw", "old barge"});
    EXPECT_EQ(deleted.status, 4);
    EXPECT_NE(deleted.err.find("\"Old barge\" is kept as a proxy of CPmAcadSim"), std::string::npos)
        << deleted.err;
    const ZnsimRun cleaned = Run({"clean", "legacy.zdw"});
    EXPECT_EQ(cleaned.status, 0);
    EXPECT_NE(cleaned.out.find("Removed 0 simulations"), std::string::npos) << cleaned.out;
    EXPECT_NE(cleaned.out.find("Could not remove \"Old ferry\": it is kept as a proxy"),
              std::string::npos)
        << cleaned.out;
    const json report = RunJson({"clean", "legacy.zdw"});
    EXPECT_EQ(report["kept"].size(), 2u);
    EXPECT_EQ(fileBytes(drawing), before);
}
} // namespace
