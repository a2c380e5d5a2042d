// The page in a real browser: it loads without a console message and
// without reaching out, its parts stand where the positions and the timing
// rule put them (worked out here from `znsim show --json`), and it draws.
#include "geometry/CZnTransform.h"
#include "motion/Timing.h"
#include "tests/app/ZnsimTest.h"
#include "tests/view/Browser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <regex>

namespace
{
using nlohmann::json;
const double kPi = std::acos(-1.0);

// Where one part is drawn, seen from above: a, b, c, d, e, f.
using Drawn = std::array<double, 6>;

class BrowserTest : public ZnsimTest
{
protected:
    void SetUp() override
    {
        ZnsimTest::SetUp();
        Demo();
        ASSERT_EQ(Run({"new", "demo.zdw", "--from", ZNSIM_SAMPLE}).status, 0);
        const ZnsimRun run =
            Run({"view", "demo.zdw", "Harbour convoy", "Quay shuttle", "-o", "demo.html"});
        ASSERT_EQ(run.status, 0) << run.err;
    }

    json Show(const std::string& name) const
    {
        return RunJson({"show", "demo.zdw", name, "--all"});
    }

    // The time each position of a section's first segment is reached, from
    // the section's start, in metres.
    static std::vector<double> Times(const json& section)
    {
        const double metresPerSecond = section["speed_mph"].get<double>() * kMetresPerSecondPerMph;
        std::vector<double> times{0.0};
        const json& positions = section["segments"][0]["positions"];
        for (std::size_t i = 1; i < positions.size(); ++i)
        {
            const json& a = positions[i - 1]["pt"];
            const json& b = positions[i]["pt"];
            const double distance = std::hypot(b[0].get<double>() - a[0].get<double>(),
                                               b[1].get<double>() - a[1].get<double>(),
                                               b[2].get<double>() - a[2].get<double>());
            times.push_back(times.back() + distance / metresPerSecond);
        }
        return times;
    }

    json Report(const std::string& hash, const std::string& page = "demo.html")
    {
        const PageVisit visit = VisitPage(File(page), hash, m_scratch.path());
        EXPECT_EQ(visit.status, 0);
        EXPECT_TRUE(visit.console.empty()) << visit.console.front();
        EXPECT_TRUE(visit.requests.empty()) << visit.requests.front();
        const json report = json::parse(visit.report, nullptr, false);
        EXPECT_FALSE(report.is_discarded()) << visit.dom.substr(0, 400);
        return report;
    }

    static void ExpectDrawn(const json& part, const Drawn& expected)
    {
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_NEAR(part[i].get<double>(), expected[i], 1e-3)
                << "element " << i << " of " << part;
    }

    TempFolder m_scratch;
};

Drawn Turned(double degrees, double x, double y)
{
    const double angle = degrees * kPi / 180.0;
    return {std::cos(angle), std::sin(angle), -std::sin(angle), std::cos(angle), x, y};
}

TEST_F(BrowserTest, PartsStandWhereThePositionsAndTheTimingRuleSay)
{
    const json sections = Show("Harbour convoy")["sections"];
    // Half way between the 6th and 7th positions of the second section.
    const std::vector<double> first = Times(sections[0]);
    const std::vector<double> second = Times(sections[1]);
    const double at = first.back() + (second[5] + second[6]) / 2.0;
    const json report = Report("sim=0&test&frames=200&at=" + std::to_string(at));

    EXPECT_EQ(report["section"], "section 2 of 2 at 20 mph");
    EXPECT_EQ(report["position"], "position 6 of 40");
    const json& positions = sections[1]["segments"][0]["positions"];
    const json& a = positions[5];
    const json& b = positions[6];
    const double heading = (a["heading"].get<double>() + b["heading"].get<double>()) / 2.0;
    const double x = (a["pt"][0].get<double>() + b["pt"][0].get<double>()) / 2.0;
    const double y = (a["pt"][1].get<double>() + b["pt"][1].get<double>()) / 2.0;
    ASSERT_EQ(report["parts"].size(), 2u);
    ExpectDrawn(report["parts"][0], Turned(heading, x, y));
    // The trailer sits 7.3 behind, in the tractor's turned frame.
    const double angle = heading * kPi / 180.0;
    ExpectDrawn(report["parts"][1],
                Turned(heading, x - 7.3 * std::cos(angle), y - 7.3 * std::sin(angle)));

    const json& frames = report["frameTimes"];
    std::cout << "frame time over " << frames["frames"] << " frames: mean " << frames["mean"]
              << " ms, 95th " << frames["p95"] << " ms, max " << frames["max"] << " ms\n";
}

TEST_F(BrowserTest, TiltedPlacementsAndRaisedPartsProjectAsTheirAnglesSay)
{
    const json sections = Show("Quay shuttle")["sections"];
    const double at = Times(sections[0]).back() + Times(sections[1])[1];
    const json report = Report("sim=1&test&at=" + std::to_string(at));
    EXPECT_EQ(report["position"], "position 2 of 3");

    const json& position = sections[1]["segments"][0]["positions"][1];
    double angles[3];
    for (int i = 0; i < 3; ++i)
        angles[i] = position["angles"][i].get<double>() * kPi / 180.0;
    CZnTransform placement;
    placement.SetEulerAngles(angles);
    // The car rides 1.2 above its frame, which the tilt carries sideways.
    const CZnVector raised = placement * CZnVector(0.0, 0.0, 1.2);
    ASSERT_EQ(report["parts"].size(), 1u);
    ExpectDrawn(report["parts"][0], {placement(0, 0), placement(1, 0), placement(0, 1),
                                     placement(1, 1), position["pt"][0].get<double>() + raised.x,
                                     position["pt"][1].get<double>() + raised.y});
}

// Seen whole, the ferry's 1 km crossing leaves its car a dot: the page
// follows the car instead, at a size a person can watch, all the way over.
TEST_F(BrowserTest, APartOnALongPathIsFollowedAtAVisibleSize)
{
    ASSERT_EQ(Run({"view", "demo.zdw", "Ferry crossing", "Harbour convoy", "-o", "long.html"}).status, 0);
    for (const std::string at : {"0", "60", "150"})
    {
        const json report = Report("test&at=" + at, "long.html");
        ASSERT_TRUE(report["follow"].get<bool>()) << at;
        const std::array<double, 4> box = report["onScreen"].get<std::array<double, 4>>();
        const double width = report["canvas"][0].get<double>();
        const double height = report["canvas"][1].get<double>();
        EXPECT_NEAR((box[0] + box[2]) / 2.0, width / 2.0, 1.0) << at;
        EXPECT_NEAR((box[1] + box[3]) / 2.0, height / 2.0, 1.0) << at;
        EXPECT_GT(std::max(box[2] - box[0], box[3] - box[1]), 0.2 * std::min(width, height)) << at;
    }
    // The convoy's turn fits the view with its parts plainly seen.
    EXPECT_FALSE(Report("sim=1&test", "long.html")["follow"].get<bool>());
}

TEST_F(BrowserTest, TheScreenshotShowsTheDrawingAndTheParts)
{
    const Picture shot = Screenshot(File("demo.html"), "sim=0&at=3", m_scratch.path(), 900, 650);
    ASSERT_EQ(shot.width, 900);
    // Below the controls and above the help line: the drawing's grey and the
    // parts' blue.
    int drawing = 0;
    int parts = 0;
    for (int y = 60; y < shot.height - 30; ++y)
        for (int x = 0; x < shot.width; ++x)
        {
            const unsigned char* p =
                &shot.rgb[3 * (static_cast<std::size_t>(y) * 900 + static_cast<std::size_t>(x))];
            drawing += p[0] < 140 && std::abs(p[0] - p[1]) < 12 && std::abs(p[1] - p[2]) < 12;
            parts += p[2] > p[0] + 60 && p[2] > 100;
        }
    EXPECT_GT(drawing, 100);
    EXPECT_GT(parts, 100);
}

// A person's controls, driven as the browser delivers them: keys on the
// window, the slider's input, the choice of simulation.
TEST_F(BrowserTest, KeysSliderAndChoiceMoveThePage)
{
    const std::string person = R"(<script>
      const steps = [];
      const key = (name) => window.dispatchEvent(new KeyboardEvent("keydown", {key: name}));
      const seen = () => { const r = znsimView.report(); return [r.sim, r.position, r.time]; };
      const change = (id, value, type) => { const e = document.getElementById(id); e.value = value; e.dispatchEvent(new Event(type)); };
      key("ArrowRight"); key("ArrowRight"); steps.push(seen());
      key("ArrowLeft"); steps.push(seen());
      key(" "); steps.push(document.getElementById("play").textContent);
      key(" "); steps.push(document.getElementById("play").textContent);
      change("slider", "5", "input"); steps.push(seen());
      change("sim", "1", "change"); steps.push(seen());
      document.getElementById("test-report").textContent = JSON.stringify(steps);
    </script></body>)";
    writeFile(File("person.html"),
              std::regex_replace(fileBytes(File("demo.html")), std::regex("</body>"), person));
    const PageVisit visit = VisitPage(File("person.html"), "", m_scratch.path());
    EXPECT_TRUE(visit.console.empty()) << visit.console.front();
    const json steps = json::parse(visit.report, nullptr, false);
    ASSERT_EQ(steps.size(), 6u) << visit.report;
    // Two positions on at 30 km/h, 2 m apart: 0.48 s.
    EXPECT_EQ(steps[0][1], "position 3 of 31");
    EXPECT_NEAR(steps[0][2].get<double>(), 4.0 / (30.0 / 3.6), 1e-5);
    EXPECT_EQ(steps[1][1], "position 2 of 31");
    EXPECT_EQ(steps[2], "Pause");
    EXPECT_EQ(steps[3], "Play");
    EXPECT_EQ(steps[4][1], "position 21 of 31");
    EXPECT_EQ(steps[4][2], 5.0);
    EXPECT_EQ(steps[5], json::array({"Quay shuttle", "position 1 of 4", 0.0}));
}

TEST_F(BrowserTest, APageThatReachesOutIsCaught)
{
    const std::string page = fileBytes(File("demo.html"));
    const std::string reaching = std::regex_replace(page, std::regex("</body>"),
                                                    "<img src=\"http://192.0.2.1/x.png\"></body>");
    writeFile(File("reaching.html"), reaching);
    const PageVisit refused = VisitPage(File("reaching.html"), "", m_scratch.path());
    // The page's own policy refuses it, and says so.
    ASSERT_EQ(refused.console.size(), 1u);
    EXPECT_NE(refused.console[0].find("Content Security Policy"), std::string::npos)
        << refused.console[0];
    // Without the policy the request goes out, and is seen.
    writeFile(File("open.html"),
              std::regex_replace(
                  reaching, std::regex("<meta http-equiv=\"Content-Security-Policy\"[^>]*>"), ""));
    const PageVisit open = VisitPage(File("open.html"), "", m_scratch.path());
    ASSERT_EQ(open.requests.size(), 1u);
    EXPECT_EQ(open.requests[0], "http://192.0.2.1/x.png");
}
} // namespace
