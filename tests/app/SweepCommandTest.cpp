// znsim sweep as a person runs it on the demo drawing: what it reports, the
// status --check gives a script, a drawing left as it was, and bad input.
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace
{
namespace fs = std::filesystem;

using SweepCommandTest = ZnsimTest;

TEST_F(SweepCommandTest, AClearanceThatReachesAParkedVehicleIsAConflictThatCheckReports)
{
    const fs::path demo = Demo();
    const std::string before = fileBytes(demo);

    const nlohmann::json clear = RunJson({"sweep", "demo.zdw", "Harbour convoy", "--check"});
    EXPECT_EQ(clear["conflicts"].size(), 0u);
    // Driven: the tractor and the trailer each a segment of each section.
    ASSERT_EQ(clear["segments"].size(), 4u);
    // The front axle starts at the origin: the tractor's rear axle 3.5
    // behind, its body 1.5 further; the kingpin over that axle, the
    // trailer's axles 10 behind it and its body 2.6 further.
    EXPECT_NEAR(clear["segments"][0]["envelope"]["box"][0].get<double>(), -5.0, 1e-9);
    EXPECT_NEAR(clear["segments"][1]["envelope"]["box"][0].get<double>(), -16.1, 1e-9);
    EXPECT_NEAR(clear["tolerance"].get<double>(), 0.136, 1e-12);
    EXPECT_TRUE(clear["clearance_envelope"].is_null());

    // The parked tractor's corner (-25.5, 18.75) is hypot(9.4 + s, 17.475)
    // from the trailer's rear corner once the convoy has gone s: within 23
    // until s = 5.548, the sample 11/15 of the way from the third position
    // (s = 4) to the fourth; samples lie 2/15 of a position apart.
    const ZnsimRun hit = Run({"sweep", "demo.zdw", "Harbour convoy", "--clearance", "23", "--check", "--json"});
    EXPECT_EQ(hit.status, 6) << hit.err;
    const nlohmann::json report = nlohmann::json::parse(hit.out);
    ASSERT_EQ(report["conflicts"].size(), 1u);
    const nlohmann::json& conflict = report["conflicts"][0];
    EXPECT_EQ(conflict["handle"], "27");
    EXPECT_EQ(conflict["class"], "AcDbBlockReference");
    EXPECT_EQ(conflict["block"], "Tractor");
    EXPECT_EQ(conflict["layer"], "0");
    EXPECT_EQ(conflict["first"], (nlohmann::json{{"section", 1}, {"segment", 2}, {"position", 1}, {"fraction", 0.0}}));
    EXPECT_EQ(conflict["last"]["position"], 3);
    EXPECT_NEAR(conflict["last"]["fraction"].get<double>(), 11.0 / 15.0, 1e-9);
    EXPECT_GT(report["clearance_envelope"]["area"].get<double>(), report["envelope"]["area"].get<double>());

    const ZnsimRun text = Run({"sweep", "demo.zdw", "Harbour convoy", "--clearance", "23"});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("27 AcDbBlockReference \"Tractor\" on layer \"0\": first at section 1 segment 2 "
                            "position 1, last at section 1 segment 2 position 3 (+0.733333 of the way on)"),
              std::string::npos)
        << text.out;
    EXPECT_EQ(fileBytes(demo), before);
}

TEST_F(SweepCommandTest, LayersChooseTheObstaclesAndAnIgnoredLayerTheDrawingLacksIsAWarning)
{
    Demo();
    const std::vector<std::string> sweep{"sweep", "demo.zdw", "Harbour convoy", "--clearance", "23", "--json"};
    const auto conflicts = [&](std::vector<std::string> more) {
        std::vector<std::string> args = sweep;
        args.insert(args.end(), more.begin(), more.end());
        return RunJson(args)["conflicts"].size();
    };
    EXPECT_EQ(conflicts({"--obstacles", "0"}), 1u);
    EXPECT_EQ(conflicts({"--ignore", "0"}), 0u);

    const nlohmann::json warned = RunJson({"sweep", "demo.zdw", "Harbour convoy", "--ignore", "0,Kerb*", "--json"});
    EXPECT_EQ(warned["warnings"], nlohmann::json::array({"--ignore: no layer of the drawing matches \"Kerb*\""}));
    const ZnsimRun text = Run({"sweep", "demo.zdw", "Harbour convoy", "--ignore", "Kerb*"});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out.rfind("Warning: --ignore: no layer of the drawing matches \"Kerb*\"\nSweep of", 0), 0u)
        << text.out;
}

TEST_F(SweepCommandTest, TheStillAndThePageShadeTheEnvelopeAndItsClearance)
{
    Demo();
    ASSERT_EQ(Run({"view", "demo.zdw", "Harbour convoy", "--at", "10", "--svg", "still.svg", "--envelope",
                   "--clearance", "1"})
                  .status,
              0);
    // Over the drawing and under the paths and parts, the clearance under the
    // envelope.
    EXPECT_EQ(StillClasses(fileBytes(File("still.svg"))),
              (std::vector<std::string>{"caption", "drawing", "clearance", "envelope", "paths", "parts"}));

    // The page carries the envelope's rings, and no clearance when none was
    // asked for; nothing of a sweep when no envelope was.
    ASSERT_EQ(Run({"view", "demo.zdw", "-o", "page.html", "--envelope"}).status, 0);
    ASSERT_EQ(Run({"view", "demo.zdw", "-o", "plain.html"}).status, 0);
    const nlohmann::json swept = PageScene(fileBytes(File("page.html")))["sims"];
    const nlohmann::json plain = PageScene(fileBytes(File("plain.html")))["sims"];
    ASSERT_EQ(swept.size(), 2u);
    ASSERT_EQ(plain.size(), 2u);
    for (std::size_t i = 0; i < swept.size(); ++i)
    {
        EXPECT_FALSE(swept[i]["sweep"]["envelope"].empty()) << swept[i]["name"];
        EXPECT_GE(swept[i]["sweep"]["envelope"][0].size(), 6u) << swept[i]["name"];
        EXPECT_TRUE(swept[i]["sweep"]["clearance"].empty()) << swept[i]["name"];
        EXPECT_TRUE(plain[i]["sweep"].is_null()) << plain[i]["name"];
    }
    EXPECT_EQ(Run({"view", "demo.zdw", "--clearance", "1"}).status, 2);

    // A driven truck's tyres sweep tracks of their own, shaded over the
    // envelope, 2.38 wide out to out under its 2.4 m body.
    std::ofstream(File("lane.json")) << R"({"parts": [{"points": [[0, 100], [40, 100]]}]})";
    ASSERT_EQ(Run({"drive", "demo.zdw", "--name", "Lane", "--vehicle", "SU-30", "--path-json", "lane.json"}).status,
              0);
    ASSERT_EQ(Run({"view", "demo.zdw", "Lane", "--at", "1", "--svg", "lane.svg", "--envelope"}).status, 0);
    EXPECT_EQ(StillClasses(fileBytes(File("lane.svg"))),
              (std::vector<std::string>{"caption", "drawing", "envelope", "wheels", "paths", "parts"}));
    const nlohmann::json wheels = RunJson({"sweep", "demo.zdw", "Lane", "--wheels"});
    EXPECT_EQ(wheels["swept"], "wheels");
    EXPECT_NEAR(wheels["envelope"]["box"][3].get<double>() - wheels["envelope"]["box"][1].get<double>(), 2.38, 1e-9);
}
} // namespace
