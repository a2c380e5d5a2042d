// Drawings written before drawings held tables (format 1, tests/fixtures)
// open in znsim as the build that wrote them read them: the same objects,
// with the tables every drawing has made beside them, and the same
// simulations.
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

#include <fstream>

namespace
{
namespace fs = std::filesystem;
using nlohmann::json;

class FirstFormatTest : public ZnsimTest
{
protected:
    json Recorded(const std::string& name) const
    {
        std::ifstream in(fs::path(ZNSIM_FIXTURES) / "format1" / name);
        return json::parse(in);
    }
};

TEST_F(FirstFormatTest, ItsObjectsAndSimulationsReadAsTheyDid)
{
    // The three tables and their five records: layer 0, the line types
    // ByBlock, ByLayer and Continuous, the text style Standard.
    const std::map<std::string, std::size_t> tables = {{"AcDbLayerTable", 1},         {"AcDbLayerTableRecord", 1},
                                                       {"AcDbLinetypeTable", 1},      {"AcDbLinetypeTableRecord", 3},
                                                       {"AcDbTextStyleTable", 1},     {"AcDbTextStyleTableRecord", 1}};
    for (const char* drawing : {"demo", "vehicle"})
    {
        SCOPED_TRACE(drawing);
        fs::copy_file(fs::path(ZNSIM_FIXTURES) / "format1" / (std::string(drawing) + ".zdw"),
                      File(std::string(drawing) + ".zdw"));
        const json recorded = Recorded(std::string(drawing) + ".info.json");
        const json info = RunJson({"info", std::string(drawing) + ".zdw"});
        EXPECT_EQ(info["objects"], recorded["objects"].get<std::size_t>() + 8);
        EXPECT_EQ(info["proxies"], recorded["proxies"]);
        EXPECT_EQ(info["simulations"], recorded["simulations"]);
        std::map<std::string, std::size_t> classes = tables;
        for (const json& entry : recorded["classes"])
            classes[entry["name"]] = entry["objects"];
        std::map<std::string, std::size_t> read;
        for (const json& entry : info["classes"])
            read[entry["name"]] = entry["objects"];
        EXPECT_EQ(read, classes);
    }
    EXPECT_EQ(RunJson({"list", "demo.zdw"}), Recorded("demo.list.json"));
    EXPECT_EQ(RunJson({"show", "demo.zdw", "Harbour convoy"}), Recorded("demo.harbour-convoy.json"));
    EXPECT_EQ(RunJson({"show", "demo.zdw", "Ferry crossing"}), Recorded("demo.ferry-crossing.json"));
}
} // namespace
