// The README's path with the shipped samples: the vehicle DXF in, the
// delivery description naming the handles import gave, the simulation out
// again as DXF. Kept apart from the ezdxf checks so that it runs wherever
// znsim does.
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

namespace
{
class DxfSampleTest : public ZnsimTest
{
};

TEST_F(DxfSampleTest, TheVehicleSampleIsDrivenByTheDeliverySampleAndGoesBackOut)
{
    const nlohmann::json imported = RunJson({"import", ZNSIM_VEHICLE_DXF, "-o", "delivery.zdw"});
    std::map<std::string, std::string> inModelSpace;
    for (const nlohmann::json& reference : imported["references"])
        if (reference["in"] == "model space")
            inModelSpace.emplace(reference["handle"], reference["block"]);
    // The handles docs/samples/delivery.json names.
    EXPECT_EQ(inModelSpace["1D"], "Van body");
    EXPECT_EQ(inModelSpace["1E"], "Trailer");

    ASSERT_EQ(Run({"new", "delivery.zdw", "--from", ZNSIM_DELIVERY_JSON}).status, 0);
    const ZnsimRun exported = Run({"export", "delivery.zdw", "-o", "delivery.dxf"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::string dxf = fileBytes(File("delivery.dxf"));
    EXPECT_NE(dxf.find("\nDelivery round path\n"), std::string::npos);
    EXPECT_NE(dxf.find("\nZNSIM_SIMULATIONS\n"), std::string::npos);

    // A new drawing does not replace one; into it, the blocks come in again
    // renamed.
    const std::string before = fileBytes(File("delivery.zdw"));
    EXPECT_EQ(Run({"import", ZNSIM_VEHICLE_DXF, "-o", "delivery.zdw"}).status, 4);
    EXPECT_EQ(fileBytes(File("delivery.zdw")), before);
    const nlohmann::json again = RunJson({"import", ZNSIM_VEHICLE_DXF, "--into", "delivery.zdw"});
    EXPECT_EQ(again["renamed"].size(), 3u);
}

// A plan drawn in millimetres comes into the demo, drawn in metres, at its
// size; info lists what came in by the handles import gave, each with its
// extent; the commands that time or measure take the drawing's units.
TEST_F(DxfSampleTest, APlanInMillimetresComesIntoTheMetreDemoAtItsSize)
{
    Demo();
    writeFile(File("plan.dxf"), "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n"
                                "0\nSECTION\n2\nENTITIES\n"
                                "0\nLINE\n5\nA1\n8\nKerb\n10\n0\n20\n0\n11\n5000\n21\n0\n"
                                "0\nCIRCLE\n5\nA2\n8\nKerb\n10\n2000\n20\n3000\n40\n1000\n"
                                "0\nENDSEC\n0\nEOF\n");
    const nlohmann::json imported = RunJson({"import", "plan.dxf", "--into", "demo.zdw"});
    EXPECT_EQ(imported["units"], nlohmann::json::parse(R"({"dxf": "mm", "drawing": "m", "scale": 0.001})"));
    EXPECT_EQ(imported["created"]["layers"], nlohmann::json::array({"Kerb"}));
    std::map<std::string, std::string> handles;
    for (const nlohmann::json& entity : imported["handles"])
        handles[entity["dxf"]] = entity["handle"];

    std::map<std::string, nlohmann::json> listed;
    const nlohmann::json info = RunJson({"info", "demo.zdw", "--entities"});
    for (const nlohmann::json& entity : info["entities"])
        listed[entity["handle"]] = entity;
    EXPECT_EQ(listed[handles["A1"]]["class"], "AcDbLine");
    EXPECT_EQ(listed[handles["A1"]]["layer"], "Kerb");
    EXPECT_EQ(listed[handles["A1"]]["extent"], nlohmann::json::parse("[[0, 0, 0], [5, 0, 0]]"));
    EXPECT_EQ(listed[handles["A2"]]["extent"], nlohmann::json::parse("[[1, 2, 0], [3, 4, 0]]"));
    EXPECT_EQ(listed.size(), 12u) << "the demo's references (three parked, seven parts) and what came in";

    EXPECT_EQ(RunJson({"sweep", "demo.zdw", "Harbour convoy"})["unit"], "m");
    EXPECT_EQ(RunJson({"sweep", "demo.zdw", "Harbour convoy", "--unit", "ft"})["unit"], "ft");
    ASSERT_EQ(Run({"import", "plan.dxf", "-o", "plan.zdw"}).status, 0);
    ASSERT_EQ(Run({"export", "plan.zdw", "-o", "again.dxf"}).status, 0);
    EXPECT_NE(fileBytes(File("again.dxf")).find("$INSUNITS\n 70\n4\n"), std::string::npos);
}
} // namespace
