// A drawing drawn with style, made in ezdxf and imported as a person would,
// is drawn by the still and by the page (in Debian's chromium) as it was
// drawn: each entity in its colour, dashes and width, texts where they
// stand, hatches filled, and what is on a layer that is off or frozen not
// at all. Both are read back by meaning into one list and checked against
// one table.
#include "drawing/ColourIndex.h"
#include "tests/app/ZnsimTest.h"
#include "tests/view/Browser.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

namespace
{
using nlohmann::json;

// One thing drawn: a line, a fill or a text, as either picture says it drew it.
struct Drawn
{
    std::string kind;
    std::string colour;
    std::vector<double> dashes;
    double width = 0.0;
    bool solid = true;
    std::vector<std::string> lines;
    double x = 0.0, y = 0.0;
};

std::vector<double> Numbers(const std::string& text)
{
    std::vector<double> numbers;
    const std::regex number("-?[0-9.]+(e-?[0-9]+)?");
    for (auto m = std::sregex_iterator(text.begin(), text.end(), number); m != std::sregex_iterator(); ++m)
        numbers.push_back(std::stod(m->str()));
    return numbers;
}

// The still's elements as styled_drawing.py reads them.
std::vector<Drawn> StillDrawn(const json& elements)
{
    std::vector<Drawn> drawn;
    for (const json& element : elements)
    {
        const json& a = element["attributes"];
        const auto attribute = [&](const char* name) { return a.value(name, std::string()); };
        Drawn item;
        if (element["tag"] == "text")
        {
            const std::vector<double> at = Numbers(attribute("transform"));
            item = {"text", attribute("fill"), {}, 0.0, true, element["lines"], at.at(0), at.at(1)};
        }
        else if (a.contains("fill-rule"))
            item = {"fill", attribute("fill"), {}, 0.0, !a.contains("fill-opacity"), {}, 0.0, 0.0};
        else if (a.contains("stroke"))
            item = {"line", attribute("stroke"), Numbers(attribute("stroke-dasharray")),
                    std::stod(attribute("stroke-width")), true, {}, 0.0, 0.0};
        else
            continue;
        drawn.push_back(item);
    }
    return drawn;
}

// What the page's test hook says its last repaint drew of the drawing.
std::vector<Drawn> PageDrawn(const json& log)
{
    std::vector<Drawn> drawn;
    for (const json& entry : log)
        drawn.push_back({entry["kind"], entry["colour"], entry.value("dashes", std::vector<double>()),
                         entry.value("width", 0.0), entry.value("solid", true),
                         entry.value("lines", std::vector<std::string>()), entry.value("x", 0.0),
                         entry.value("y", 0.0)});
    return drawn;
}

class StyledDrawingTest : public ZnsimTest
{
protected:
    void SetUp() override
    {
        ZnsimTest::SetUp();
        if (std::system("/usr/bin/python3 -c 'import ezdxf' 2>/dev/null") != 0)
            GTEST_SKIP() << "python3-ezdxf is not installed";
        ASSERT_EQ(Python("dxf", File("styled.dxf")), 0);
        const json imported = RunJson({"import", "styled.dxf", "-o", "styled.zdw"});
        std::string polyline;
        for (const json& entity : imported["handles"])
            if (entity["type"] == "LWPOLYLINE")
                polyline = entity["handle"];
        const ZnsimRun drive = Run({"drive", "styled.zdw", "--vehicle", "P", "--path", polyline, "--name", "Run"});
        ASSERT_EQ(drive.status, 0) << drive.err;
    }

    int Python(const std::string& what, const std::filesystem::path& file, const std::string& out = "") const
    {
        std::string command = std::string("/usr/bin/python3 ") + ZNSIM_STYLED_DRAWING + " " + what + " '" +
                              file.string() + "'";
        if (!out.empty())
            command += " > '" + File(out).string() + "'";
        return std::system(command.c_str());
    }

    // Each row found among drawn: a line of the red layer, the dashed line
    // at twice its pattern, the polyline 0.18 wide, the text and the
    // paragraph where they stand, the solid and the patterned hatch; and
    // nothing in the colours of the lines on the layers off and frozen.
    static void ExpectDrawnAsDrawn(const std::vector<Drawn>& drawn, const std::string& picture)
    {
        SCOPED_TRACE(picture);
        const auto find = [&](const std::string& kind, const std::string& colour) {
            std::vector<Drawn> found;
            for (const Drawn& item : drawn)
                if (item.kind == kind && item.colour == colour)
                    found.push_back(item);
            return found;
        };
        EXPECT_EQ(find("line", "#ff0000").size(), 1u);
        const std::vector<Drawn> dashed = find("line", "#0000ff");
        ASSERT_EQ(dashed.size(), 2u) << "the dashed line and the spline";
        const bool oneDashed = (dashed[0].dashes == std::vector<double>{1.0, 0.5}) !=
                               (dashed[1].dashes == std::vector<double>{1.0, 0.5});
        EXPECT_TRUE(oneDashed);
        const std::vector<Drawn> wide = find("line", "#00ff00");
        ASSERT_EQ(wide.size(), 1u);
        // The canvas keeps a width in single precision.
        EXPECT_NEAR(wide[0].width, 0.18, 1e-6);
        const std::vector<Drawn> gate = find("text", "#ff00ff");
        ASSERT_EQ(gate.size(), 1u);
        EXPECT_EQ(gate[0].lines, std::vector<std::string>{"Gate A"});
        EXPECT_NEAR(gate[0].x, 2.0, 1e-9);
        EXPECT_NEAR(gate[0].y, 16.0, 1e-9);
        const std::vector<Drawn> quay = find("text", "#000000");
        ASSERT_EQ(quay.size(), 1u);
        EXPECT_EQ(quay[0].lines, (std::vector<std::string>{"Quay", "North"}));
        // Hung from its top left corner: the first base line a height below.
        EXPECT_NEAR(quay[0].x, 10.0, 1e-9);
        EXPECT_NEAR(quay[0].y, 21.0, 1e-9);
        const std::vector<Drawn> solid = find("fill", "#00ffff");
        ASSERT_EQ(solid.size(), 1u);
        EXPECT_TRUE(solid[0].solid);
        const std::vector<Drawn> pattern = find("fill", IndexColour(30).Hex());
        ASSERT_EQ(pattern.size(), 1u);
        EXPECT_FALSE(pattern[0].solid);
        for (const int hidden : {200, 210})
        {
            AcCmColor colour;
            colour.setColorIndex(static_cast<Adesk::UInt16>(hidden));
            EXPECT_TRUE(find("line", ShownColour(colour, false).Hex()).empty()) << hidden;
        }
    }
};

TEST_F(StyledDrawingTest, TheStillAndThePageDrawTheDrawingAsItWasDrawn)
{
    ASSERT_EQ(Run({"view", "styled.zdw", "Run", "--at", "0", "--svg", "still.svg"}).status, 0);
    ASSERT_EQ(Python("svg", File("still.svg"), "still.json"), 0);
    std::ifstream still(File("still.json"));
    ExpectDrawnAsDrawn(StillDrawn(json::parse(still)), "still");

    ASSERT_EQ(Run({"view", "styled.zdw", "-o", "styled.html"}).status, 0);
    TempFolder scratch;
    const PageVisit visit = VisitPage(File("styled.html"), "test", scratch.path());
    EXPECT_TRUE(visit.console.empty()) << visit.console.front();
    const json report = json::parse(visit.report, nullptr, false);
    ASSERT_FALSE(report.is_discarded()) << visit.dom.substr(0, 400);
    ExpectDrawnAsDrawn(PageDrawn(report["drawing"]), "page");
}
} // namespace
