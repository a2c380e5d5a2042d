// znsim drive in a drawing's own units: the vehicle's metres, the default
// step and the half millimetre a coupling may part all follow the drawing,
// so a drive in millimetres is the drive in metres a thousand times larger.
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

namespace
{
using nlohmann::json;

class DriveCommandTest : public ZnsimTest
{
protected:
    // A drawing of no entities whose insertion units are code units, and
    // in it WB-40 driven 30 m straight, then a quarter turn of radius 15 m.
    json DriveIn(const std::string& name, int units, double perMetre) const
    {
        writeFile(File(name + ".dxf"), "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n" + std::to_string(units) +
                                           "\n0\nENDSEC\n0\nEOF\n");
        EXPECT_EQ(Run({"import", name + ".dxf", "-o", name + ".zdw"}).status, 0);
        // A bulge of tan(22.5 degrees) turns a quarter, left.
        const json path = {
            {"parts",
             {{{"points", {{0, 0}, {30 * perMetre, 0, 0.41421356237309503}, {45 * perMetre, 15 * perMetre}}}}}}};
        writeFile(File(name + ".json"), path.dump());
        return RunJson({"drive", name + ".zdw", "--vehicle", "WB-40", "--path-json", name + ".json", "--name", "Turn"});
    }
};

TEST_F(DriveCommandTest, AMillimetreDrawingDrivesTheMetreDriveAThousandTimesLarger)
{
    const json metres = DriveIn("metres", 6, 1.0);
    const json millimetres = DriveIn("millimetres", 4, 1000.0);
    EXPECT_EQ(metres["unit"], "m");
    EXPECT_EQ(millimetres["unit"], "mm");
    // Lengths to the integration's 1e-12 and the sampling; angles alike.
    for (const char* length : {"length", "off_tracking", "swept_width"})
        EXPECT_NEAR(millimetres[length].get<double>(), 1000.0 * metres[length].get<double>(),
                    1e-6 * millimetres[length].get<double>())
            << length;
    EXPECT_GT(metres["off_tracking"].get<double>(), 1.0);
    EXPECT_EQ(millimetres["sections"][0]["positions"], metres["sections"][0]["positions"]);
    for (std::size_t i = 0; i < metres["limits"].size(); ++i)
        EXPECT_NEAR(millimetres["limits"][i]["largest"].get<double>(), metres["limits"][i]["largest"].get<double>(),
                    1e-6);
}
} // namespace
