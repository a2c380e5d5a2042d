// znsim view as a person runs it: the still, the page's size for large
// simulations, simulations that cannot be played, and bad input.
#include "model/CPmSim200.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/CPmDbxFactory200.h"
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <regex>

namespace
{
namespace fs = std::filesystem;

class ViewCommandTest : public ZnsimTest
{
protected:
    // Stores a simulation of one section at mph whose segment, without a
    // part, winds through count positions.
    static void Store(const wchar_t* name, std::size_t count, double mph)
    {
        std::vector<PmPosition200> path;
        for (std::size_t i = 0; i < count; ++i)
        {
            const double turn = 0.001 * static_cast<double>(i * i % 997);
            path.push_back({{static_cast<double>(i), std::sin(turn) * 40.0, 0.0},
                            {},
                            CZnTransform(CZnVector(0, 0, 1), turn)});
        }
        auto* segment = new CPmAcadSegment200();
        segment->AddPath(path);
        auto* section = new CPmAcadSection200();
        section->SetSpeed(mph, 0);
        section->AddSegment(segment);
        CPmSim200* sim = CPmDbxFactory200::MakeSim(0, 0);
        sim->SetName(name);
        sim->AddSection(section);
        ASSERT_EQ(sim->Save(), 0);
    }

    void SaveAs(const std::string& file)
    {
        ASSERT_EQ(db()->saveAs(File(file).wstring().c_str()), Acad::eOk);
    }

    std::uintmax_t PageBytes(const std::string& drawing, const std::string& name)
    {
        const ZnsimRun run = Run({"view", drawing, name, "-o", "page.html"});
        EXPECT_EQ(run.status, 0) << run.err;
        return fs::file_size(File("page.html"));
    }
};

TEST_F(ViewCommandTest, ThePageGrowsByUnder24BytesAPartlessPosition)
{
    Store(L"Short", 5000, 10.0);
    Store(L"Long", 10000, 10.0);
    SaveAs("runs.zdw");
    const double perPosition =
        static_cast<double>(PageBytes("runs.zdw", "Long") - PageBytes("runs.zdw", "Short")) /
        5000.0;
    // Four floats a keyframe, base64-encoded: 21.3 bytes.
    EXPECT_LE(perPosition, 24.0);
    EXPECT_GT(perPosition, 20.0);
}

TEST_F(ViewCommandTest, ASimulationThatCannotBePlayedGivesAPageThatSaysSo)
{
    Store(L"Parked", 3, 0.0);
    Store(L"Empty", 0, 5.0);
    SaveAs("parked.zdw");
    const ZnsimRun run = Run({"view", "parked.zdw", "-o", "parked.html"});
    ASSERT_EQ(run.status, 0) << run.err;
    std::map<std::string, std::string> problems;
    const nlohmann::json scene = PageScene(fileBytes(File("parked.html")));
    for (const nlohmann::json& sim : scene["sims"])
        problems[sim["name"]] = sim["problem"];
    EXPECT_EQ(problems, (std::map<std::string, std::string>{
                            {"Parked", "section 1 has speed 0 mph, so its time cannot be known"},
                            {"Empty", "section 1 has no positions"}}));
}

TEST_F(ViewCommandTest, TheStillShowsTheMomentAsked)
{
    Demo();
    const ZnsimRun run =
        Run({"view", "demo.zdw", "Harbour convoy", "--at", "5", "--svg", "still.svg"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string svg = fileBytes(File("still.svg"));
    // 30 km/h for 5 s is 41.7 m: past the 21st position, 2 m apart.
    EXPECT_NE(svg.find("Harbour convoy \u2014 5.00 s of "), std::string::npos);
    EXPECT_NE(svg.find(" s \u2014 section 1 of 2 at 30 km/h \u2014 position 21 of 31"), std::string::npos);
    EXPECT_EQ(svg.rfind("<svg", 0), 0u);
    // The parts over the paths over the drawing: the tractor and its trailer.
    EXPECT_EQ(StillClasses(svg), (std::vector<std::string>{"caption", "drawing", "paths", "parts"}));
    EXPECT_TRUE(std::regex_search(svg, std::regex("<g class=\"parts\"[^>]*>(<use href=\"#b[0-9]+\"[^>]*/>){2}</g>")));
}
} // namespace
