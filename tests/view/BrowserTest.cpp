// The page in a real browser: it loads without a console message and
// without reaching out, it draws the parts where motion/ puts them (checked
// against reference data that motion/ computes here, at moments spread over
// real simulations), and it answers a person's controls.
#include "app/HeldSimulation.h"
#include "drawing/NumberText.h"
#include "motion/Bounds.h"
#include "motion/PackedMotion.h"
#include "motion/Sampling.h"
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

    // The page (the demo's by default) with script run after its own, which
    // reports into the page's test element: what it reported.
    json Driven(const std::string& script, const std::string& page = "demo.html")
    {
        writeFile(File("driven.html"), std::regex_replace(fileBytes(File(page)), std::regex("</body>"),
                                                          "<script>" + script + "</script></body>"));
        const PageVisit visit = VisitPage(File("driven.html"), "", m_scratch.path());
        EXPECT_TRUE(visit.console.empty()) << visit.console.front();
        const json report = json::parse(visit.report, nullptr, false);
        EXPECT_FALSE(report.is_discarded()) << visit.dom.substr(0, 400);
        return report;
    }

    TempFolder m_scratch;
};

// Moments that test what can go wrong: before the start, the start, every
// section's start and just before it, the end and after it, moments spread
// over the whole run, and in each step of every section's first segment
// that turns the frame, the middle or a sixth of the way in turn: the
// middles of keyframes, where a straight line strays most from the turn.
std::vector<double> Moments(const SimulationMotion& motion, std::size_t spread)
{
    std::vector<double> moments{-1.0, 0.0, motion.duration, motion.duration + 1.0};
    for (const SectionMotion& section : motion.sections)
    {
        moments.push_back(section.start);
        moments.push_back(section.start - 1e-3);
        const SegmentMotion& segment = section.segments.front();
        for (std::size_t i = 0; i + 1 < segment.times.size(); ++i)
            if (Turn(segment.placements[i], segment.placements[i + 1]) > 1e-6)
            {
                const double fraction = i % 2 == 0 ? 0.5 : 1.0 / 6.0;
                moments.push_back(segment.times[i] + fraction * (segment.times[i + 1] - segment.times[i]));
            }
    }
    for (std::size_t i = 0; i < spread; ++i)
        moments.push_back(motion.duration * (static_cast<double>(i) + 0.5) / static_cast<double>(spread));
    return moments;
}

// Reference data: what motion/ says the page shows of simulation index at
// each of its moments. The status names the section, at the speeds given,
// and the position; each part has its place (a to f) and the box of the
// definition it draws, which tells the block.
void AddReference(std::size_t index, const SimulationMotion& motion, const std::vector<std::string>& speeds,
                  json& reference)
{
    for (const double t : Moments(motion, 8))
    {
        const Moment moment = MomentAt(motion, t);
        const SectionMotion& section = motion.sections[moment.section];
        const std::vector<double>& lead = section.segments.at(LeadSegment(section).value()).times;
        json places = json::array();
        json boxes = json::array();
        for (const PlacedPart& part : PartsAt(motion, t))
        {
            const Affine2& p = part.place;
            places.push_back({p.a, p.b, p.c, p.d, p.e, p.f});
            Bounds box;
            box.Add(BlockOutline(part.definition), Affine2());
            boxes.push_back({box.minX, box.minY, box.maxX, box.maxY});
        }
        reference.push_back({{"sim", index},
                             {"time", t},
                             {"section", "section " + std::to_string(moment.section + 1) + " of " +
                                             std::to_string(motion.sections.size()) + " at " +
                                             speeds.at(moment.section)},
                             {"position", "position " + std::to_string(StepAt(lead, moment.time).index + 1) +
                                              " of " + std::to_string(lead.size())},
                             {"places", places},
                             {"boxes", boxes}});
    }
}

// How far the page may draw a part from motion/'s place: the straight line
// between keyframes strays by at most θ²/8 for each unit a point lies from
// the frame's origin (motion/PackedMotion.h), for a part's own axes a unit
// at most and for its origin the farthest offset of the simulation's
// parts; then 1e-4 for the floats the numbers are packed in. The axes',
// then the origin's.
std::pair<double, double> ToleranceOf(const SimulationMotion& motion)
{
    double offset = 0.0;
    double axis = 0.0;
    for (const SectionMotion& section : motion.sections)
        for (const SegmentMotion& segment : section.segments)
            for (const PartShape& part : segment.parts)
            {
                offset = std::max(offset, std::hypot(part.offset.x, part.offset.y, part.offset.z));
                axis = std::max({axis, std::hypot(part.shape.a, part.shape.b), std::hypot(part.shape.c, part.shape.d)});
            }
    const double stray = kKeyframeTurn * kKeyframeTurn / 8.0;
    return {stray * axis + 1e-4, stray * offset + 1e-4};
}

// The page is handed the reference data in one visit, seeks each moment
// and reports what it drew.
TEST_F(BrowserTest, ThePageDrawsThePartsWhereMotionPutsThemAtEveryMoment)
{
    Read(File("demo.zdw"));
    json reference = json::array();
    std::vector<std::pair<double, double>> tolerances;
    const std::vector<std::pair<const wchar_t*, std::vector<std::string>>> sims{
        {L"Harbour convoy", {"30 km/h", "20 mph"}}, {L"Quay shuttle", {"15 km/h", "6 knots"}}};
    for (std::size_t i = 0; i < sims.size(); ++i)
    {
        const HeldSimulation sim(CPmDbxFactory200::LoadSim(sims[i].first));
        ASSERT_TRUE(sim);
        const SimulationMotion motion = MotionOf(*sim, 1.0);
        AddReference(i, motion, sims[i].second, reference);
        tolerances.push_back(ToleranceOf(motion));
    }
    ASSERT_GE(reference.size(), 50u);

    const json report = Driven("const seen = [];\n"
                               "let selected = 0;\n"
                               "for (const {sim, time} of " + reference.dump() + ") {\n"
                               "  if (sim !== selected) znsimView.select(selected = sim);\n"
                               "  znsimView.seek(time);\n"
                               "  seen.push(znsimView.report());\n"
                               "}\n"
                               "znsimView.select(0);\n"
                               "document.getElementById(\"test-report\").textContent =\n"
                               "  JSON.stringify({seen, frames: znsimView.frameTimes(200)});\n");
    const json scene = PageScene(fileBytes(File("demo.html")));
    ASSERT_EQ(report["seen"].size(), reference.size());
    for (std::size_t m = 0; m < reference.size(); ++m)
    {
        const json& want = reference[m];
        const json& seen = report["seen"][m];
        SCOPED_TRACE("simulation " + want["sim"].dump() + " at " + NumberText(want["time"], 17) + " s");
        EXPECT_EQ(seen["section"], want["section"]);
        EXPECT_EQ(seen["position"], want["position"]);
        ASSERT_EQ(seen["parts"].size(), want["places"].size());
        const auto [axes, origin] = tolerances[want["sim"].get<std::size_t>()];
        for (std::size_t p = 0; p < want["places"].size(); ++p)
        {
            const json& drawn = seen["parts"][p];
            for (std::size_t i = 0; i < kFloatsPerPart; ++i)
                EXPECT_NEAR(drawn[i].get<double>(), want["places"][p][i].get<double>(), i < kPartE ? axes : origin)
                    << "number " << i << " of part " << p;
            EXPECT_EQ(scene["blocks"][drawn[kFloatsPerPart].get<std::size_t>()]["box"], want["boxes"][p]);
        }
    }
    const json& frames = report["frames"];
    std::cout << "frame time over " << frames["frames"] << " frames: mean " << frames["mean"]
              << " ms, 95th " << frames["p95"] << " ms, max " << frames["max"] << " ms\n";
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
    const json steps = Driven(R"(
      const steps = [];
      const key = (name) => window.dispatchEvent(new KeyboardEvent("keydown", {key: name}));
      const seen = () => { const r = znsimView.report(); return [r.sim, r.position, r.time]; };
      const change = (id, value, type) => { const e = document.getElementById(id); e.value = value; e.dispatchEvent(new Event(type)); };
      key("ArrowRight"); key("ArrowRight"); steps.push(seen());
      key("ArrowLeft"); steps.push(seen());
      key(" "); steps.push(document.getElementById("play").textContent);
      key(" "); steps.push(document.getElementById("play").textContent);
      change("slider", "5", "input"); steps.push(seen());
      change("slider", "7.3", "input"); key("ArrowRight"); key("ArrowRight"); key("ArrowLeft");
      const turning = [seen()[1]];
      key("ArrowLeft"); key("ArrowLeft"); turning.push(seen()[1]); steps.push(turning);
      change("sim", "1", "change"); steps.push(seen());
      document.getElementById("test-report").textContent = JSON.stringify(steps);)");
    ASSERT_EQ(steps.size(), 7u) << steps;
    // Two positions on at 30 km/h, 2 m apart: 0.48 s.
    EXPECT_EQ(steps[0][1], "position 3 of 31");
    EXPECT_NEAR(steps[0][2].get<double>(), 4.0 / (30.0 / 3.6), 1e-5);
    EXPECT_EQ(steps[1][1], "position 2 of 31");
    EXPECT_EQ(steps[2], "Pause");
    EXPECT_EQ(steps[3], "Play");
    EXPECT_EQ(steps[4][1], "position 21 of 31");
    EXPECT_EQ(steps[4][2], 5.0);
    // In the second section, whose clock starts at 7.2 s: two on and one
    // back, then back past its first position into the first section.
    const std::size_t turning = RunJson({"show", "demo.zdw", "Harbour convoy", "--all"})["sections"][1]["segments"][0]["positions"].size();
    EXPECT_EQ(steps[5], json::array({"position 2 of " + std::to_string(turning), "position 31 of 31"}));
    EXPECT_EQ(steps[6], json::array({"Quay shuttle", "position 1 of 4", 0.0}));
}

// Two cars driven head-on, the second setting off 2 s late, meet: a click
// on the meeting in the page's list plays them together, paused at the
// first moment meet reports, their noses the clearance apart and both cars
// in the warning colour; a moment before, neither is. The arrow keys step
// between the moments either reaches a position.
TEST_F(BrowserTest, AClickOnAMeetingShowsItsFirstMomentWithItsPartsInTheWarningColour)
{
    DriveCar("East", 0, 100, 36);
    DriveCar("West", 60, -40, 18);
    const std::vector<std::string> together{"demo.zdw", "East", "West", "--start", "West=2", "--clearance", "1"};
    std::vector<std::string> view{"view", "--meet", "-o", "meet.html"};
    view.insert(view.end(), together.begin(), together.end());
    ASSERT_EQ(Run(view).status, 0);
    std::vector<std::string> meet{"meet"};
    meet.insert(meet.end(), together.begin(), together.end());
    const json meetings = RunJson(meet)["meetings"];
    ASSERT_EQ(meetings.size(), 1u);

    const json seen = Driven(R"(
      const seen = [];
      document.querySelector("#meeting-list button").click();
      seen.push(znsimView.report(), document.getElementById("play").textContent);
      znsimView.seek(seen[0].time - 0.01);
      seen.push(znsimView.report());
      const key = (name) => window.dispatchEvent(new KeyboardEvent("keydown", {key: name}));
      const times = [];
      for (const name of ["ArrowRight", "ArrowLeft", "ArrowLeft", "ArrowLeft"]) { key(name); times.push(znsimView.report().time); }
      seen.push(times);
      document.getElementById("test-report").textContent = JSON.stringify(seen);)",
                             "meet.html");
    ASSERT_EQ(seen.size(), 4u);
    const json& first = seen[0];
    EXPECT_EQ(first["sim"], "Together: 1 meeting");
    EXPECT_DOUBLE_EQ(first["time"].get<double>(), meetings[0]["first"]["time"].get<double>());
    EXPECT_EQ(seen[1], "Play");
    // By simulation, section, segment and part.
    EXPECT_EQ(first["warned"], json::parse("[[0, 0, 0, 0], [1, 0, 0, 0]]"));
    EXPECT_EQ(first["meetingsOn"], json::array({0}));
    EXPECT_EQ(seen[2]["warned"], json::array());
    EXPECT_EQ(seen[2]["meetingsOn"], json::array());
    // The cars' rear axles, where their places put the origin: the
    // clearance between their noses, 3.4 + 0.9 x 0.25 ahead of each axle.
    const json& cars = first["parts"];
    ASSERT_EQ(cars.size(), 2u);
    EXPECT_NEAR(cars[1][kPartE].get<double>() - cars[0][kPartE].get<double>(), 2.0 * (3.4 + 0.9 * 0.25) + 1.0,
                1e-3);
    // The arrows step to the moments either car reaches a position: East's
    // one step of 100 m at 36 km/h ends at 10 s; West, 2 s late, left its
    // first at 2 s, East at 0; before 0 there is none.
    EXPECT_EQ(seen[3], json::parse("[10, 2, 0, 0]"));
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
