// znsim delete, clean and upgrade on drawings that znsim made or that hold
// simulations of the previous release.
#include "host/legacy101/CPmAcadSim.h"
#include "host/legacy101/CPmDbxFactory.h"
#include "host/legacy101/CPmSection.h"
#include "host/legacy101/CPmSegment.h"
#include "model/CZnBlock.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmDbxFactory200.h"
#include "tests/e2e/ZnsimTest.h"

#include <gtest/gtest.h>

namespace
{
using nlohmann::json;

class ManagingTest : public ZnsimTest
{
protected:
    // A version-101 simulation of one segment, stored in the working drawing
    // through the previous release's own factory and Save.
    void StoreLegacySimulation(const CString& name, bool inUse)
    {
        CPmPart* part = CPmDbxFactory::MakePart();
        part->AddBlock(CPmDbxFactory::CreateBlock(newSource(name, {0, 0, 0}).get()));
        CPmSegment* segment = CPmDbxFactory::MakeSegment();
        segment->AddPart(part);
        segment->AddPath({{{3, 4, 0}, 0.5, {5, 4, 0}}, {{5, 4, 0}, 0.5, {7, 4, 0}}});
        CPmSection* section = CPmDbxFactory::MakeSection(20.0, 0);
        section->AddSegment(segment);
        CPmSim* sim = CPmDbxFactory::MakeSim(0, 5);
        sim->SetName(name);
        sim->SetSimInUse(inUse);
        sim->AddSection(section);
        ASSERT_EQ(sim->Save(), 0);
    }

    static bool IsVersion200(const CString& name)
    {
        CPmSim200* stored = CPmAcadSim200::Load(name);
        if (stored != nullptr)
            stored->Close();
        return stored != nullptr;
    }
};

TEST_F(ManagingTest, DeleteAnswersDeletedNotFoundAndInUse)
{
    const std::filesystem::path drawing = Demo();
    ASSERT_EQ(Run({"use", "demo.zdw", "Harbour convoy"}).status, 0);
    const std::string inUse = Bytes(drawing);
    const ZnsimRun refused = Run({"delete", "demo.zdw", "Harbour convoy"});
    EXPECT_EQ(refused.status, 4);
    EXPECT_NE(refused.err.find("is in use"), std::string::npos) << refused.err;
    EXPECT_EQ(Bytes(drawing), inUse);

    // Names are keys, and letter case makes another one.
    const ZnsimRun missing = Run({"delete", "demo.zdw", "harbour convoy"});
    EXPECT_EQ(missing.status, 3);
    EXPECT_NE(missing.err.find("no simulation named \"harbour convoy\""), std::string::npos);
    EXPECT_EQ(Bytes(drawing), inUse);

    ASSERT_EQ(Run({"unuse", "demo.zdw"}).status, 0);
    const ZnsimRun deleted = Run({"delete", "demo.zdw", "Harbour convoy"});
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
    StoreLegacySimulation(L"Old barge", true);
    StoreLegacySimulation(L"Old ferry", false);
    const std::filesystem::path drawing = File("legacy.zdw");
    ASSERT_EQ(db()->saveAs(drawing.wstring().c_str()), Acad::eOk);

    const json listed = RunJson({"list", "legacy.zdw"});
    ASSERT_EQ(listed["simulations"].size(), 2u);
    for (const json& sim : listed["simulations"])
        EXPECT_EQ(sim["version"], 101);
    // A mark cannot be stored on a simulation that is still version 101.
    EXPECT_EQ(Run({"unuse", "legacy.zdw", "Old barge"}).status, 4);

    ASSERT_EQ(Run({"upgrade", "legacy.zdw", "Old ferry"}).status, 0);
    Read(drawing);
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

    const std::string upgraded = Bytes(drawing);
    EXPECT_TRUE(RunJson({"upgrade", "legacy.zdw", "--all"})["upgraded"].empty());
    EXPECT_EQ(Bytes(drawing), upgraded);
}
} // namespace
