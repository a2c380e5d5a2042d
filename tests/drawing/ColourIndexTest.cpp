// The palette worked out from its rule: the seven named colours, the
// wheel's hue steps of 15 degrees with their shades and half saturations,
// the greys; and how a light background shows colour 7 and what is too
// light to see on it.
#include "drawing/ColourIndex.h"

#include <gtest/gtest.h>

namespace
{
TEST(ColourIndexTest, IndicesFollowTheWheelAndLightBackgroundsShowSevenBlack)
{
    struct Row
    {
        int index;
        const char* hex;
    };
    for (const Row& row : {Row{1, "#ff0000"}, {2, "#ffff00"}, {5, "#0000ff"}, {8, "#808080"},
                           // Red at full and half saturation, then its darkest shade.
                           {10, "#ff0000"}, {11, "#ff7f7f"}, {18, "#260000"},
                           // 15 degrees on: green a quarter up; at half saturation from 127.5.
                           {20, "#ff3f00"}, {21, "#ff9f7f"}, {50, "#ffff00"}, {90, "#00ff00"},
                           {170, "#0000ff"}, {250, "#333333"}, {255, "#ffffff"}})
        EXPECT_EQ(IndexColour(row.index).Hex(), row.hex) << row.index;

    AcCmColor seven;
    seven.setColorIndex(7);
    EXPECT_EQ(ShownColour(seven, false).Hex(), "#000000");
    EXPECT_EQ(ShownColour(seven, true).Hex(), "#ffffff");
    AcCmColor white;
    white.setRGB(255, 255, 255);
    EXPECT_NE(ShownColour(white, false).Hex(), "#ffffff");
    AcCmColor red;
    red.setColorIndex(1);
    EXPECT_EQ(ShownColour(red, false).Hex(), "#ff0000");
}
} // namespace
