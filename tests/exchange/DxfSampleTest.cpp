// The README's path with the shipped samples: the vehicle DXF in, the
// delivery description naming the handles import gave, the simulation out
// again as DXF. Kept apart from the ezdxf checks so that it runs wherever
// znsim does.
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

#include <sstream>

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
// Everything that comes into a drawing of other units is scaled, not the
// coordinates alone: each entity of the plan (texts, ellipses, splines,
// hatches among them) spans in the metre demo a thousandth of what it spans
// in a drawing of the plan's own millimetres, and a polyline's width is
// scaled with it.
TEST_F(DxfSampleTest, WhatComesIntoADrawingOfOtherUnitsIsScaledWhole)
{
    Demo();
    const auto extents = [this](const std::string& drawing, const nlohmann::json& imported) {
        std::map<std::string, nlohmann::json> byHandle;
        const nlohmann::json info = RunJson({"info", drawing, "--entities"});
        for (const nlohmann::json& entity : info["entities"])
            byHandle[entity["handle"].get<std::string>()] = entity["extent"];
        std::map<std::string, nlohmann::json> byDxfHandle;
        for (const nlohmann::json& entity : imported["handles"])
            if (entity["in"] == "model space")
                byDxfHandle[entity["dxf"].get<std::string>()] = byHandle.at(entity["handle"].get<std::string>());
        return byDxfHandle;
    };
    const auto own = extents("plan.zdw", RunJson({"import", ZNSIM_PLAN_DXF, "-o", "plan.zdw"}));
    const auto scaled = extents("demo.zdw", RunJson({"import", ZNSIM_PLAN_DXF, "--into", "demo.zdw"}));
    ASSERT_EQ(own.size(), scaled.size());
    ASSERT_GT(own.size(), 15u);
    for (const auto& [handle, extent] : own)
    {
        ASSERT_FALSE(extent.is_null()) << handle;
        for (std::size_t corner = 0; corner < 2; ++corner)
            for (std::size_t axis = 0; axis < 3; ++axis)
                EXPECT_NEAR(scaled.at(handle)[corner][axis].get<double>(),
                            extent[corner][axis].get<double>() / 1000.0, 1e-12)
                    << handle;
    }

    // The constant width (43) of the polyline on the layer "No print", read
    // pair by pair from what export wrote.
    ASSERT_EQ(Run({"export", "demo.zdw", "-o", "demo.dxf"}).status, 0);
    std::istringstream dxf(fileBytes(File("demo.dxf")));
    std::string code;
    std::string value;
    std::string type;
    std::string layer;
    double width = -1.0;
    while (width < 0.0 && std::getline(dxf, code) && std::getline(dxf, value))
    {
        const int number = std::stoi(code);
        if (number == 0)
        {
            type = value;
            layer.clear();
        }
        else if (number == 8)
            layer = value;
        else if (number == 43 && type == "LWPOLYLINE" && layer == "No print")
            width = std::stod(value);
    }
    EXPECT_NEAR(width, 0.18 / 1000.0, 1e-15);
}
// Time follows the drawing's own units: in a drawing in millimetres, a part
// driven 3,600 units at 3.6 km/h takes 3.6 s, and 3,600 s when --unit says a
// unit is a metre.
TEST_F(DxfSampleTest, TimeFollowsTheDrawingsUnitsUnlessUnitSaysOtherwise)
{
    const nlohmann::json imported = RunJson({"import", ZNSIM_PLAN_DXF, "-o", "plan.zdw"});
    ASSERT_EQ(imported["references"].size(), 1u);
    const std::string marker = imported["references"][0]["handle"];
    const nlohmann::json description = {
        {"name", "Run"},
        {"id", 1},
        {"type", 0},
        {"sections",
         {{{"speed", 3.6},
           {"unit", "km/h"},
           {"segments",
            {{{"part", {{"block", marker}}},
              {"positions", {{{"pt", {0, 0, 0}}, {"heading", 0}}, {{"pt", {3600, 0, 0}}, {"heading", 0}}}}}}}}}}};
    writeFile(File("run.json"), description.dump());
    const ZnsimRun made = Run({"new", "plan.zdw", "--from", "run.json"});
    ASSERT_EQ(made.status, 0) << made.err;
    const nlohmann::json own = RunJson({"meet", "plan.zdw", "Run"});
    EXPECT_EQ(own["unit"], "mm");
    // Speeds are stored in miles per hour, to a few parts in a billion.
    EXPECT_NEAR(own["simulations"][0]["duration"].get<double>(), 3.6, 1e-8);
    const nlohmann::json metres = RunJson({"meet", "plan.zdw", "Run", "--unit", "m"});
    EXPECT_EQ(metres["unit"], "m");
    EXPECT_NEAR(metres["simulations"][0]["duration"].get<double>(), 3600.0, 1e-5);
    EXPECT_EQ(RunJson({"sweep", "plan.zdw", "Run"})["unit"], "mm");
}
} // namespace
