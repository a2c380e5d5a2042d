// Bad input of every kind gives one line on stderr naming the file and what
// is wrong, its own exit status, and leaves every file as it was.
#include "tests/e2e/ZnsimTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace
{
namespace fs = std::filesystem;

struct BadInput
{
    std::vector<std::string> args;
    int status;
    // What the one line on stderr says, in part.
    std::string says;
};

class BadInputTest : public ZnsimTest
{
protected:
    void Write(const std::string& name, const std::string& bytes) const
    {
        writeFile(File(name), bytes);
    }
};

TEST_F(BadInputTest, EachGivesOneLineAndItsStatusAndChangesNoFile)
{
    const std::string drawing = fileBytes(Demo());
    Write("text.zdw", "a drawing this is not\n");
    Write("cut.zdw", drawing.substr(0, drawing.size() / 2));
    std::string damaged = drawing;
    damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x5A);
    Write("damaged.zdw", damaged);
    Write("syntax.json", "{\"name\": \"Late run\",\n \"id\": 1,,\n}");
    Write("missing.json", R"({"name": "Late run", "id": 1, "type": 1})");
    Write("type.json", R"({"name": "Late run", "id": 1, "type": "fast", "sections": []})");
    // Handle 1 is the drawing's named-objects dictionary.
    Write("handle.json", R"({"name": "Late run", "id": 1, "type": 1, "sections": [{"speed": 5,
        "unit": "mph", "segments": [{"part": {"block": "1"}, "positions": []}]}]})");
    const std::vector<BadInput> cases = {
        {{"list", "absent.zdw"}, 5, "absent.zdw: no such file"},
        {{"list", "text.zdw"}, 2, "text.zdw: not a drawing file"},
        {{"show", "cut.zdw", "Harbour convoy"}, 2, "cut.zdw: the drawing is cut short"},
        {{"delete", "damaged.zdw", "Harbour convoy"}, 2, "damaged.zdw: the drawing is damaged"},
        {{"new", "demo.zdw", "--from", "syntax.json"}, 2, "syntax.json: not valid JSON"},
        {{"new", "demo.zdw", "--from", "missing.json"}, 2, "missing.json: sections: missing"},
        {{"new", "demo.zdw", "--from", "type.json"}, 2, "type.json: type: expected a whole number"},
        {{"new", "demo.zdw", "--from", "handle.json"}, 2,
         "handle.json: sections[0].segments[0].part.block: 1 names no block reference in demo.zdw"},
        {{"show", "demo.zdw", "Night run"}, 3, "demo.zdw: no simulation named \"Night run\""},
        {{"delete", "demo.zdw", "Night run"}, 3, "demo.zdw: no simulation named \"Night run\""},
        {{"use", "demo.zdw", "Night run"}, 3, "demo.zdw: no simulation named \"Night run\""},
    };
    const auto before = Folder();
    for (const BadInput& bad : cases)
    {
        SCOPED_TRACE(bad.args[0] + " " + bad.args[1]);
        const ZnsimRun run = Run(bad.args);
        EXPECT_EQ(run.status, bad.status);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.err.rfind("znsim: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(bad.says), std::string::npos) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(Folder(), before);
    }
}
} // namespace
