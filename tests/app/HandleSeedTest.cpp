// znsim on drawings whose handle seed a hostile file set near the top of the
// 64-bit range: it answers at once, never hands out a handle that wraps, and
// never replaces the drawing with one it could not read again.
#include "tests/app/ZnsimTest.h"
#include "tests/support/DrawingFileImage.h"

#include <gtest/gtest.h>

#include <limits>

namespace
{
constexpr Adesk::UInt64 kLargest = std::numeric_limits<Adesk::UInt64>::max();

class HandleSeedTest : public ZnsimTest
{
protected:
    // The demo drawing with its handle seed set to seed.
    std::filesystem::path DemoWithHandseed(Adesk::UInt64 seed)
    {
        const std::filesystem::path drawing = Demo();
        DrawingFileImage image = DrawingFileImage::of(fileBytes(drawing));
        image.header.handseed = seed;
        writeFile(drawing, image.bytes());
        return drawing;
    }
};

TEST_F(HandleSeedTest, InfoCountsTheObjectsOfADrawingWithAFarSeed)
{
    DemoWithHandseed(Adesk::UInt64{1} << 62);
    const nlohmann::json info = RunJson({"info", "demo.zdw"});
    std::size_t counted = 0;
    for (const auto& cls : info["classes"])
        counted += cls["objects"].get<std::size_t>();
    EXPECT_EQ(counted, info["objects"].get<std::size_t>());
}

TEST_F(HandleSeedTest, NoHandleLeftRefusesTheCommandAndKeepsTheDrawing)
{
    const std::filesystem::path drawing = DemoWithHandseed(kLargest - 1);
    const std::string before = fileBytes(drawing);
    const ZnsimRun run = Run({"new", "demo.zdw", "--from", ZNSIM_SAMPLE});
    EXPECT_NE(run.status, 0) << run.out;
    EXPECT_EQ(fileBytes(drawing), before);

    DemoWithHandseed(kLargest);
    const ZnsimRun refused = Run({"info", "demo.zdw"});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("contradict"), std::string::npos) << refused.err;
}
} // namespace
