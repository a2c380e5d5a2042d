// znsim sweep as a person runs it on the demo drawing: what it reports, the
// status --check gives a script, a drawing left as it was, and bad input.
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

#include <algorithm>

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
    ASSERT_EQ(clear["segments"].size(), 2u);
    // The trailer's 13.6 x 2.55 body runs 7.3 behind the tractor's centre:
    // its rear starts 14.1 behind the first position.
    EXPECT_NEAR(clear["segments"][0]["envelope"]["box"][0].get<double>(), -14.1, 1e-9);
    EXPECT_NEAR(clear["tolerance"].get<double>(), 0.136, 1e-12);
    EXPECT_TRUE(clear["clearance_envelope"].is_null());

    // The parked tractor's corner (-27, 18.75) is 21.7 from the trailer's
    // rear corner at the start, and more than 23 once the convoy has gone 2.
    const ZnsimRun hit = Run({"sweep", "demo.zdw", "Harbour convoy", "--clearance", "23", "--check", "--json"});
    EXPECT_EQ(hit.status, 6) << hit.err;
    const nlohmann::json report = nlohmann::json::parse(hit.out);
    ASSERT_EQ(report["conflicts"].size(), 1u);
    const nlohmann::json& conflict = report["conflicts"][0];
    EXPECT_EQ(conflict["handle"], "1F");
    EXPECT_EQ(conflict["class"], "AcDbBlockReference");
    EXPECT_EQ(conflict["block"], "Tractor");
    EXPECT_EQ(conflict["first"], (nlohmann::json{{"section", 1}, {"segment", 1}, {"position", 1}, {"fraction", 0.0}}));
    EXPECT_EQ(conflict["last"]["position"], 2);
    EXPECT_GT(report["clearance_envelope"]["area"].get<double>(), report["envelope"]["area"].get<double>());

    const ZnsimRun text = Run({"sweep", "demo.zdw", "Harbour convoy", "--clearance", "23"});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("1F AcDbBlockReference \"Tractor\": first at section 1 segment 1 position 1, last at "
                            "section 1 segment 1 position 2"),
              std::string::npos)
        << text.out;
    EXPECT_EQ(fileBytes(demo), before);
}

TEST_F(SweepCommandTest, TheStillAndThePageShadeTheEnvelopeAndItsClearance)
{
    Demo();
    ASSERT_EQ(Run({"view", "demo.zdw", "Harbour convoy", "--at", "10", "--svg", "still.svg", "--envelope",
                   "--clearance", "1"})
                  .status,
              0);
    const std::string svg = fileBytes(File("still.svg"));
    const std::size_t clearance = svg.find("<path fill=\"#e8a33c\"");
    const std::size_t envelope = svg.find("<path fill=\"#7a4fb0\"");
    // Under the parts, the clearance under the envelope.
    EXPECT_LT(clearance, envelope);
    EXPECT_LT(envelope, svg.find("<use href=\"#b", svg.find("stroke=\"#0b4f8a\"")));

    ASSERT_EQ(Run({"view", "demo.zdw", "-o", "page.html", "--envelope"}).status, 0);
    const std::string page = fileBytes(File("page.html"));
    EXPECT_NE(page.find("\"sweep\":{\"clearance\":[],\"envelope\":[["), std::string::npos);
    ASSERT_EQ(Run({"view", "demo.zdw", "-o", "plain.html"}).status, 0);
    EXPECT_NE(fileBytes(File("plain.html")).find("\"sweep\":null"), std::string::npos);
    EXPECT_EQ(Run({"view", "demo.zdw", "--clearance", "1"}).status, 2);
}
} // namespace
