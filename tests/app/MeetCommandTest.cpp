// znsim meet as a person runs it: two cars of the demo driven head-on from
// descriptions, the moment they meet as the clock and their starts say, the
// status --check gives a script, and a drawing left as it was.
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

namespace
{
using nlohmann::json;

using MeetCommandTest = ZnsimTest;

TEST_F(MeetCommandTest, CarsDrivenHeadOnMeetWhenTheirNosesCloseTheGap)
{
    Demo();
    DriveCar("East", 0, 100, 36);
    DriveCar("West", 60, -40, 18);
    const std::string before = fileBytes(File("demo.zdw"));
    // The car's rounded nose stands 3.4 + 0.9 x 0.25 ahead of its rear
    // axle: 60 - 2 x 3.625 - D between the noses, closing at 15 m/s.
    const double nose = 3.4 + 0.9 * 0.25;
    const ZnsimRun run = Run({"meet", "demo.zdw", "East", "West", "--clearance", "1", "--check", "--json"});
    EXPECT_EQ(run.status, 6) << run.err;
    const json report = json::parse(run.out);
    ASSERT_EQ(report["meetings"].size(), 1u);
    const json& meeting = report["meetings"][0];
    EXPECT_EQ(meeting["a"]["simulation"], "East");
    EXPECT_EQ(meeting["a"]["text"], "East's car");
    EXPECT_EQ(meeting["b"]["definition"], "Car [West 1]");
    EXPECT_NEAR(meeting["first"]["time"].get<double>(), (60.0 - 2 * nose - 1.0) / 15.0, 1e-4);
    EXPECT_EQ(meeting["first"]["a"]["position"], 1);

    // West set off two seconds late: 10 more to close.
    const json late = RunJson({"meet", "demo.zdw", "East", "West", "--start", "West=2", "--clearance", "1"});
    EXPECT_NEAR(late["meetings"][0]["first"]["time"].get<double>(), (70.0 - 2 * nose - 1.0) / 15.0, 1e-4);
    const ZnsimRun text = Run({"meet", "demo.zdw", "East", "West"});
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.out.find("1 meeting\n"), std::string::npos) << text.out;
    EXPECT_EQ(Run({"meet", "demo.zdw", "East", "Harbour convoy", "--check"}).status, 0);
    EXPECT_EQ(fileBytes(File("demo.zdw")), before);
}
} // namespace
