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
    EXPECT_EQ(inModelSpace["14"], "Van body");
    EXPECT_EQ(inModelSpace["15"], "Trailer");

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
} // namespace
