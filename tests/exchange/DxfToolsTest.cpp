// znsim's DXF as the tools people use see it: ezdxf reads and audits what
// export writes, a vehicle that ezdxf drew comes in and goes back out with
// the same geometry, and LibreCAD prints an exported drawing onto a page
// that is not blank.
#include "drawing/Angles.h"
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <regex>

#include <zlib.h>

namespace
{
namespace fs = std::filesystem;
using nlohmann::json;

bool Available(const std::string& probe)
{
    return std::system((probe + " >/dev/null 2>&1").c_str()) == 0;
}

// Numbers within 1e-9, everything else equal; where names the first place
// they differ.
bool Same(const json& a, const json& b, std::string& where, const std::string& at = "")
{
    if (a.is_number() && b.is_number())
    {
        if (std::fabs(a.get<double>() - b.get<double>()) <= 1e-9)
            return true;
    }
    else if (a.is_object() && b.is_object() && a.size() == b.size())
    {
        for (const auto& [key, value] : a.items())
            if (!b.contains(key) || !Same(value, b[key], where, at + "." + key))
                return false;
        return true;
    }
    else if (a.is_array() && b.is_array() && a.size() == b.size())
    {
        for (std::size_t i = 0; i < a.size(); ++i)
            if (!Same(a[i], b[i], where, at + "[" + std::to_string(i) + "]"))
                return false;
        return true;
    }
    else if (a == b)
        return true;
    if (where.empty())
        where = at + ": " + a.dump() + " against " + b.dump();
    return false;
}

// An entity without what a round trip may renumber or move to layer 0.
json Geometry(json entity)
{
    entity.erase("handle");
    entity.erase("layer");
    return entity;
}

class DxfToolsTest : public ZnsimTest
{
protected:
    void SetUp() override
    {
        ZnsimTest::SetUp();
        if (!Available("/usr/bin/python3 -c 'import ezdxf'"))
            GTEST_SKIP() << "python3-ezdxf is not installed";
    }

    json Dump(const fs::path& dxf) const
    {
        const fs::path out = File("dump.json");
        const std::string command = std::string("/usr/bin/python3 ") + ZNSIM_DXF_TOOL + " dump '" + dxf.string() +
                                    "' > '" + out.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        std::ifstream in(out);
        return json::parse(in);
    }

    fs::path Vehicle() const
    {
        const fs::path dxf = File("vehicle.dxf");
        const std::string command = std::string("/usr/bin/python3 ") + ZNSIM_DXF_TOOL + " vehicle '" +
                                    dxf.string() + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        return dxf;
    }
};

TEST_F(DxfToolsTest, ExportedDemoPassesTheAuditAndHoldsEachSimulationWherePositionsPutIt)
{
    Demo();
    ASSERT_EQ(Run({"export", "demo.zdw", "-o", "demo.dxf"}).status, 0);
    const json dxf = Dump(File("demo.dxf"));
    EXPECT_EQ(dxf["audit_errors"], 0);
    EXPECT_EQ(dxf["version"], "AC1015");
    for (const char* block : {"Car", "Tractor", "Trailer"})
        EXPECT_TRUE(dxf["blocks"].contains(block)) << block;

    const json shown = RunJson({"show", "demo.zdw", "Harbour convoy", "--all"});
    std::vector<json> paths;
    std::vector<json> parts;
    for (const json& entity : dxf["modelspace"])
        if (entity["layer"] == "Harbour convoy path")
            paths.push_back(entity);
        else if (entity["layer"] == "Harbour convoy parts")
            parts.push_back(entity);
    // Each unit of the driven convoy a segment of each section: its path,
    // and its part standing on its first position, turned by its heading,
    // showing its own copy of the unit's definition.
    ASSERT_EQ(paths.size(), 4u);
    ASSERT_EQ(parts.size(), 4u);
    const char* units[] = {"Tractor [Harbour convoy ", "Trailer [Harbour convoy "};
    for (std::size_t i = 0; i < 4; ++i)
    {
        const json& positions = shown["sections"][i / 2]["segments"][i % 2]["positions"];
        const json& points = paths[i]["points"];
        ASSERT_EQ(points.size(), positions.size());
        for (std::size_t k = 0; k < points.size(); ++k)
        {
            EXPECT_NEAR(points[k][0].get<double>(), positions[k]["pt"][0].get<double>(), 1e-9);
            EXPECT_NEAR(points[k][1].get<double>(), positions[k]["pt"][1].get<double>(), 1e-9);
        }
        EXPECT_EQ(parts[i]["block"].get<std::string>().rfind(units[i % 2], 0), 0u);
        EXPECT_NEAR(parts[i]["insert"][0].get<double>(), positions[0]["pt"][0].get<double>(), 1e-9);
        EXPECT_NEAR(parts[i]["insert"][1].get<double>(), positions[0]["pt"][1].get<double>(), 1e-9);
        EXPECT_NEAR(std::remainder(parts[i]["rotation"].get<double>() - positions[0]["heading"].get<double>(), 360.0),
                    0.0, 1e-9);
    }

    const json& record = dxf["records"]["ZNSIM_SIMULATIONS"]["Harbour convoy"];
    EXPECT_EQ(record[0], json::array({1, "Harbour convoy"}));
    EXPECT_EQ(record[1], json::array({70, shown["type"]}));
    EXPECT_EQ(record[3], json::array({90, 2}));
    EXPECT_NEAR(record[4][1].get<double>(), shown["sections"][0]["speed_mph"].get<double>(), 1e-9);
    EXPECT_TRUE(dxf["records"]["ZNSIM_SIMULATIONS"].contains("Ferry crossing"));
}

// The closed polylines of a layer, and the length of their edges.
double Perimeter(const json& dxf, const std::string& layer, std::size_t& rings)
{
    double length = 0.0;
    rings = 0;
    for (const json& entity : dxf["modelspace"])
    {
        if (entity["layer"] != layer)
            continue;
        EXPECT_TRUE(entity["closed"].get<bool>()) << layer;
        ++rings;
        const json& points = entity["points"];
        for (std::size_t i = 0; i < points.size(); ++i)
        {
            const json& next = points[(i + 1) % points.size()];
            length += std::hypot(next[0].get<double>() - points[i][0].get<double>(),
                                 next[1].get<double>() - points[i][1].get<double>());
        }
    }
    return length;
}

// What a simulation sweeps goes out as closed polylines on layers of their
// own, the same outline that znsim sweep measures.
TEST_F(DxfToolsTest, EnvelopeAndClearanceGoOutOnLayersOfTheirOwn)
{
    Demo();
    ASSERT_EQ(Run({"export", "demo.zdw", "-o", "swept.dxf", "--envelope", "--clearance", "2"}).status, 0);
    const json dxf = Dump(File("swept.dxf"));
    EXPECT_EQ(dxf["audit_errors"], 0);
    const json swept = RunJson({"sweep", "demo.zdw", "Harbour convoy", "--clearance", "2"});
    std::size_t rings = 0;
    const double envelope = Perimeter(dxf, "Harbour convoy envelope", rings);
    EXPECT_GE(rings, 1u);
    // The rings leave out points a tenth of the tolerance off the line.
    EXPECT_NEAR(envelope, swept["envelope"]["perimeter"].get<double>(), 0.01 * envelope);
    const double clearance = Perimeter(dxf, "Harbour convoy clearance", rings);
    EXPECT_GE(rings, 1u);
    EXPECT_NEAR(clearance, swept["clearance_envelope"]["perimeter"].get<double>(), 0.01 * clearance);

    ASSERT_EQ(Run({"export", "demo.zdw", "-o", "plain.dxf"}).status, 0);
    const json plain = Dump(File("plain.dxf"));
    for (const json& layer : plain["layers"])
        EXPECT_EQ(layer.get<std::string>().find("envelope"), std::string::npos) << layer;
}

// Cars passing on lanes 3 apart: their meeting goes out as a marker on a
// layer of its own, the line between the closest points meet reports and a
// circle about its middle as wide as the clearance.
TEST_F(DxfToolsTest, AMeetingGoesOutAsAMarkerAtTheClosestPoints)
{
    Demo();
    DriveCar("East", 0, 100, 36);
    DriveCar("West", 60, -40, 18, 103);
    ASSERT_EQ(Run({"export", "demo.zdw", "-o", "meet.dxf", "--meet", "East", "West", "--clearance", "2"}).status, 0);
    const json dxf = Dump(File("meet.dxf"));
    EXPECT_EQ(dxf["audit_errors"], 0);
    EXPECT_NE(std::find(dxf["layers"].begin(), dxf["layers"].end(), "Meetings"), dxf["layers"].end());
    const json meetings = RunJson({"meet", "demo.zdw", "East", "West", "--clearance", "2"})["meetings"];
    ASSERT_EQ(meetings.size(), 1u);
    const json& a = meetings[0]["closest"]["a"]["point"];
    const json& b = meetings[0]["closest"]["b"]["point"];
    ASSERT_GT(meetings[0]["closest"]["distance"].get<double>(), 0.5);
    json markers = json::array();
    for (const json& entity : dxf["modelspace"])
        if (entity["layer"] == "Meetings")
            markers.push_back(Geometry(entity));
    const auto mid = [&](std::size_t i) { return (a[i].get<double>() + b[i].get<double>()) / 2.0; };
    const json want = {{{"type", "LINE"}, {"start", {a[0], a[1], 0.0}}, {"end", {b[0], b[1], 0.0}}},
                       {{"type", "CIRCLE"}, {"center", {mid(0), mid(1), 0.0}}, {"radius", 1.0}}};
    std::string where;
    EXPECT_TRUE(Same(markers, want, where)) << where;
}

TEST_F(DxfToolsTest, AVehicleDrawnInEzdxfComesInWholeAndGoesBackOutTheSame)
{
    const json drawn = Dump(Vehicle());
    const json imported = RunJson({"import", "vehicle.dxf", "-o", "vehicle.zdw"});
    EXPECT_EQ(imported["skipped"], json({{"TEXT", 1}}));
    // Every reference's DXF handle is in the map, nested ones included.
    std::set<std::string> handles;
    for (const json& reference : imported["references"])
        handles.insert(reference["dxf"].get<std::string>());
    for (const auto& [name, entities] : drawn["blocks"].items())
        for (const json& entity : entities)
        {
            if (entity["type"] == "INSERT")
            {
                EXPECT_EQ(handles.count(entity["handle"].get<std::string>()), 1u) << name;
            }
        }
    EXPECT_EQ(handles.size(), 8u);

    ASSERT_EQ(Run({"export", "vehicle.zdw", "-o", "again.dxf"}).status, 0);
    const json again = Dump(File("again.dxf"));
    EXPECT_EQ(again["audit_errors"], 0);
    std::string where;
    ASSERT_EQ(again["blocks"].size(), drawn["blocks"].size());
    for (const auto& [name, entities] : drawn["blocks"].items())
        for (std::size_t i = 0; i < entities.size(); ++i)
            EXPECT_TRUE(Same(Geometry(entities[i]), Geometry(again["blocks"][name][i]), where)) << name << where;
    json kept = json::array();
    for (const json& entity : drawn["modelspace"])
        if (entity["type"] != "TEXT")
            kept.push_back(Geometry(entity));
    ASSERT_EQ(again["modelspace"].size(), kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i)
        EXPECT_TRUE(Same(kept[i], Geometry(again["modelspace"][i]), where)) << where;
}

// The strokes in the page content of the PDF that LibreCAD printed.
std::size_t Strokes(const fs::path& pdf)
{
    std::ifstream in(pdf, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t strokes = 0;
    const std::regex stream("stream\r?\n");
    for (std::sregex_iterator at(bytes.begin(), bytes.end(), stream), end; at != end; ++at)
    {
        const std::size_t begin = static_cast<std::size_t>(at->position() + at->length());
        std::string text(1 << 22, '\0');
        uLongf length = static_cast<uLongf>(text.size());
        if (uncompress(reinterpret_cast<Bytef*>(text.data()), &length,
                       reinterpret_cast<const Bytef*>(bytes.data() + begin),
                       static_cast<uLong>(bytes.size() - begin)) != Z_OK)
            continue;
        text.resize(length);
        for (std::size_t stroke = text.find("\nS\n"); stroke != std::string::npos; stroke = text.find("\nS\n", stroke + 1))
            ++strokes;
    }
    return strokes;
}

TEST_F(DxfToolsTest, LibreCadPrintsTheExportedDemoOntoAPageThatIsNotBlank)
{
    if (!Available("command -v librecad") || !Available("command -v xvfb-run"))
        GTEST_SKIP() << "librecad or xvfb-run is not installed";
    Demo();
    ASSERT_EQ(Run({"export", "demo.zdw", "-o", "demo.dxf"}).status, 0);
    const std::string command = "cd '" + m_files.path().string() +
                                "' && timeout 120 xvfb-run -a librecad dxf2pdf -a -o demo.pdf demo.dxf >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    // The demo's vehicles and paths draw hundreds of strokes.
    EXPECT_GT(Strokes(File("demo.pdf")), 100u);
}
} // namespace
