// znsim demo and znsim new: what they build is what a drawing read back from
// their file holds.
#include "model/CPmPart.h"
#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "model/CPmSim200.h"
#include "model/CZnBlock.h"
#include "storage/CPmDbxFactory200.h"
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <set>

namespace
{
using nlohmann::json;

constexpr double kExact = 1e-9;

struct GiveBack
{
    void operator()(CPmSim200* sim) const { CPmDbxFactory200::DeleteSim(sim); }
};
using Loaded = std::unique_ptr<CPmSim200, GiveBack>;

std::vector<int> UnitsOf(CPmSim200& sim)
{
    std::vector<int> units;
    for (CPmSection200* section : *sim.Sections())
        units.push_back(section->SpeedUnits());
    return units;
}

// Each position stands on its point, faces its second point, and the path
// runs on in about that direction: on the demo's arcs a step turns the
// heading by less than three degrees.
void ExpectFacingAlongPath(CPmSegment200& segment)
{
    const std::vector<PmPosition200>& positions = *segment.Positions();
    for (std::size_t i = 0; i < positions.size(); ++i)
    {
        const PmPosition200& position = positions[i];
        CZnVector at;
        position.transform.GetTranslation(at);
        EXPECT_NEAR(at.x, position.pt.x, kExact);
        EXPECT_NEAR(at.y, position.pt.y, kExact);
        const double heading = std::atan2(position.transform(1, 0), position.transform(0, 0));
        EXPECT_NEAR(std::atan2(position.tpt.y - position.pt.y, position.tpt.x - position.pt.x),
                    heading, kExact);
        if (i + 1 < positions.size())
        {
            const dpoint3d& next = positions[i + 1].pt;
            EXPECT_NEAR(std::atan2(next.y - position.pt.y, next.x - position.pt.x), heading, 0.05);
        }
    }
}

void ExpectPoint(const json& shown, const json& described)
{
    ASSERT_EQ(shown.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_NEAR(shown[i].get<double>(), described[i].get<double>(), kExact);
}

class BuildingTest : public ZnsimTest
{
protected:
    static std::string Narrow(const std::wstring& name) { return std::string(name.begin(), name.end()); }

    std::string DefinitionNamed(const json& handle)
    {
        return Narrow(DefinitionOf(AcDbHandle(std::stoull(handle.get<std::string>(), nullptr, 16))));
    }

    // A part's block shows a definition of its own: a copy, named after the
    // simulation, of the one the block reference it named shows.
    void ExpectOwnCopy(const std::string& shown, const std::string& named, const std::string& simulation)
    {
        EXPECT_EQ(shown.rfind(named + " [" + simulation + " ", 0), 0u) << shown;
        EXPECT_TRUE(m_definitions.insert(shown).second) << shown << " is shown twice";
    }

    // A part shows the text and offset it was given, and a block of a copy
    // of the definition that the block reference it named shows.
    void ExpectPart(const json& shown, const json& described)
    {
        EXPECT_EQ(shown["text"], described.value("text", ""));
        ExpectPoint(shown["offset"], described.value("offset", json::array({0, 0, 0})));
        ExpectOwnCopy(shown["definition"], DefinitionNamed(described["block"]), "Quay shuttle");
        const json subParts = described.value("parts", json::array());
        ASSERT_EQ(shown["parts"].size(), subParts.size());
        for (std::size_t i = 0; i < subParts.size(); ++i)
            ExpectPart(shown["parts"][i], subParts[i]);
    }

    std::set<std::string> m_definitions;

    static void ExpectPosition(const json& shown, const json& described)
    {
        ExpectPoint(shown["pt"], described["pt"]);
        ExpectPoint(shown["tpt"], described.value("tpt", described["pt"]));
        if (described.contains("heading"))
            EXPECT_NEAR(shown["heading"].get<double>(), described["heading"].get<double>(), kExact);
        else
            ExpectPoint(shown["angles"], described["angles"]);
    }
};

TEST_F(BuildingTest, TheDemoDrawingReopensWithItsTwoSimulations)
{
    const ZnsimRun run = Run({"demo", "demo.zdw"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Wrote demo.zdw. Try next:"), std::string::npos);
    Read(File("demo.zdw"));
    EXPECT_EQ(SimulationNames(), (std::vector<CString>{L"Ferry crossing", L"Harbour convoy"}));

    const Loaded ferry(CPmDbxFactory200::LoadSim(L"Ferry crossing"));
    ASSERT_TRUE(ferry);
    EXPECT_EQ(UnitsOf(*ferry), (std::vector<int>{0, 2, 1}));
    EXPECT_EQ(DefinitionOf(AcDbHandle(ferry->Id())), L"Car");

    const Loaded convoy(CPmDbxFactory200::LoadSim(L"Harbour convoy"));
    ASSERT_TRUE(convoy);
    EXPECT_TRUE(convoy->IsCurVersion());
    EXPECT_EQ(UnitsOf(*convoy), (std::vector<int>{1, 0}));
    EXPECT_EQ(DefinitionOf(AcDbHandle(convoy->Id())), L"Tractor");
    // Driven: the tractor and the trailer each step through a segment of
    // their own, as many positions each.
    for (CPmSection200* section : *convoy->Sections())
    {
        ASSERT_EQ(section->Segments()->size(), 2u);
        const char* units[] = {"Tractor", "Trailer"};
        for (std::size_t u = 0; u < 2; ++u)
        {
            CPmSegment200& segment = *section->Segments()->at(u);
            ExpectOwnCopy(Narrow(DefinitionOf(*segment.Part()->Block()->Handle())), units[u], "Harbour convoy");
            EXPECT_EQ(segment.Part()->NumSubParts(), 0);
            EXPECT_EQ(segment.Positions()->size(), section->Segments()->front()->Positions()->size());
            ExpectFacingAlongPath(segment);
        }
    }
}

TEST_F(BuildingTest, ASimulationMadeFromTheSampleShowsWhatItDescribes)
{
    const std::filesystem::path drawing = Demo();
    const ZnsimRun made = Run({"new", "demo.zdw", "--from", ZNSIM_SAMPLE});
    ASSERT_EQ(made.status, 0) << made.err;
    std::ifstream sample(ZNSIM_SAMPLE);
    const json described = json::parse(sample);
    const json shown = RunJson({"show", "demo.zdw", described["name"], "--all"});
    Read(drawing);

    EXPECT_EQ(shown["name"], described["name"]);
    EXPECT_EQ(shown["id"], described["id"]);
    EXPECT_EQ(shown["type"], described["type"]);
    EXPECT_EQ(shown["version"], 200);
    ASSERT_EQ(shown["sections"].size(), described["sections"].size());
    for (std::size_t s = 0; s < described["sections"].size(); ++s)
    {
        const json& section = shown["sections"][s];
        EXPECT_NEAR(section["speed"].get<double>(), described["sections"][s]["speed"].get<double>(), kExact);
        EXPECT_EQ(section["unit"], described["sections"][s]["unit"]);
        const json& segments = described["sections"][s]["segments"];
        ASSERT_EQ(section["segments"].size(), segments.size());
        for (std::size_t g = 0; g < segments.size(); ++g)
        {
            ExpectPart(section["segments"][g]["part"], segments[g]["part"]);
            const json& positions = segments[g]["positions"];
            ASSERT_EQ(section["segments"][g]["positions"].size(), positions.size());
            for (std::size_t p = 0; p < positions.size(); ++p)
                ExpectPosition(section["segments"][g]["positions"][p], positions[p]);
        }
    }

    // The name is taken now, in any letter case: storing it again is
    // refused, naming the stored spelling, and the file is untouched.
    const std::string before = fileBytes(drawing);
    EXPECT_EQ(Run({"new", "demo.zdw", "--from", ZNSIM_SAMPLE}).status, 4);
    json shouted = described;
    shouted["name"] = "QUAY SHUTTLE";
    std::ofstream(File("shouted.json")) << shouted;
    const ZnsimRun refused = Run({"new", "demo.zdw", "--from", File("shouted.json").string()});
    EXPECT_EQ(refused.status, 4);
    EXPECT_NE(refused.err.find("a simulation named \"Quay shuttle\" is stored already"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(fileBytes(drawing), before);
}
} // namespace
