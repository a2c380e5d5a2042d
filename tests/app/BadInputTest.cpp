// Bad input of every kind gives one line on stderr naming the file and what
// is wrong, its own exit status, and leaves every file as it was. The cases
// are the table "Bad inputs" of docs/robustness.md, read from there, so that
// the table says what znsim really answers.
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace
{
namespace fs = std::filesystem;
using nlohmann::json;

struct BadInput
{
    std::vector<std::string> args;
    std::string answer;
    int status;
};

// The words of a command line, double quotes grouping.
std::vector<std::string> Words(const std::string& line)
{
    std::vector<std::string> words;
    std::string word;
    bool quoted = false;
    bool inWord = false;
    for (char c : line)
    {
        if (c == '"')
            quoted = !quoted;
        else if (c == ' ' && !quoted)
        {
            if (inWord)
                words.push_back(word);
            word.clear();
        }
        else
            word += c;
        inWord = c != ' ' || quoted;
    }
    if (inWord)
        words.push_back(word);
    return words;
}

std::string Unquoted(std::string cell)
{
    cell.erase(0, cell.find_first_not_of(' '));
    cell.erase(cell.find_last_not_of(' ') + 1);
    return cell.size() >= 2 && cell.front() == '`' ? cell.substr(1, cell.size() - 2) : cell;
}

// The rows of the table under "## Bad inputs" whose first cell is a znsim
// command line.
std::vector<BadInput> TableRows()
{
    std::ifstream doc(ZNSIM_ROBUSTNESS);
    std::vector<BadInput> rows;
    std::string line;
    bool inSection = false;
    while (std::getline(doc, line))
    {
        if (line.rfind("## ", 0) == 0)
            inSection = line == "## Bad inputs";
        if (!inSection || line.rfind("| `znsim ", 0) != 0)
            continue;
        std::vector<std::string> cells;
        std::istringstream row(line.substr(1));
        for (std::string cell; std::getline(row, cell, '|');)
            cells.push_back(Unquoted(cell));
        EXPECT_EQ(cells.size(), 4u) << line;
        std::vector<std::string> args = Words(cells[0]);
        args.erase(args.begin());
        rows.push_back({args, cells[2], std::stoi(cells[3])});
    }
    return rows;
}

class BadInputTest : public ZnsimTest
{
protected:
    // The sample description with one field replaced, at its JSON pointer.
    void WriteSample(const std::string& name, const std::string& pointer, const json& value) const
    {
        std::ifstream sample(ZNSIM_SAMPLE);
        json description = json::parse(sample);
        description[json::json_pointer(pointer)] = value;
        writeFile(File(name), description.dump(2));
    }

    // The library's WB-40 with one field changed.
    void WriteVehicle(const std::string& name, const std::string& pointer, const nlohmann::json& value)
    {
        nlohmann::json vehicle = nlohmann::json::parse(fileBytes(ZNSIM_VEHICLES "/WB-40.json"));
        vehicle[nlohmann::json::json_pointer(pointer)] = value;
        writeFile(File(name), vehicle.dump());
    }

    void MakeFiles()
    {
        const std::string drawing = fileBytes(Demo());
        fs::copy_file(File("demo.zdw"), File("inuse.zdw"));
        ASSERT_EQ(Run({"use", "inuse.zdw", "Harbour convoy"}).status, 0);
        SharedDrawing("shared.zdw");
        writeFile(File("text.zdw"), "a drawing this is not\n");
        writeFile(File("cut.zdw"), drawing.substr(0, drawing.size() / 2));
        std::string damaged = drawing;
        damaged[damaged.size() / 2] = static_cast<char>(damaged[damaged.size() / 2] ^ 0x5A);
        writeFile(File("damaged.zdw"), damaged);
        fs::create_directory(File("folder.zdw"));
        writeFile(File("syntax.json"), "{\"name\": \"Late run\",\n \"id\": 1,,\n}");
        writeFile(File("missing.json"), R"({"name": "Late run", "id": 1, "type": 1})");
        writeFile(File("type.json"), R"({"name": "Late run", "id": 1, "type": "fast", "sections": []})");
        const std::string first = "/sections/0/segments/0";
        const std::string car = "/sections/1/segments/0/positions/0";
        WriteSample("handle.json", first + "/part/block", "1");
        WriteSample("taken.json", "/name", "Harbour convoy");
        WriteSample("pt4.json", first + "/positions/0/pt", {0, 40, 0, 1});
        WriteSample("pt2.json", first + "/positions/0/pt", {0, 40});
        WriteSample("tpt4.json", first + "/positions/2/tpt", {18, 41.8, 0, 0});
        WriteSample("offset4.json", first + "/part/parts/0/offset", {-7.3, 0, 0, 0});
        WriteSample("offset2.json", first + "/part/parts/0/offset", {-7.3, 0});
        WriteSample("angles4.json", car + "/angles", {-90, 0, 0, 0});
        WriteSample("angles2.json", car + "/angles", {-90, 0});
        WriteSample("speed.json", "/sections/0/speed", -15);
        WriteSample("unit.json", "/sections/0/unit", "m/s");
        WriteSample("field.json", first + "/part/offest", {0, 0, 0});
        WriteSample("both.json", first + "/positions/0/angles", {0, 0, 0});
        WriteSample("id.json", "/id", -1);
        writeFile(File("empty.dxf"), "0\nSECTION\n2\nENTITIES\n0\nENDSEC\n0\nEOF\n");
        writeFile(File("road.json"), R"({"parts": [{"points": [[0, 100], [50, 100]]}]})");
        writeFile(File("spot.json"), R"({"parts": [{"points": [[0, 100], [0, 100]]}]})");
        WriteVehicle("flat.json", "/units/0/wheelbase", 0);
        WriteVehicle("thin.json", "/units/0/width", -2.1);
        WriteVehicle("outside.json", "/units/0/coupling/offset", 9.0);
        const auto entities = [this](const std::string& name, const std::string& entity) {
            writeFile(File(name), "0\nSECTION\n2\nENTITIES\n" + entity + "0\nENDSEC\n0\nEOF\n");
        };
        entities("linetype.dxf", "0\nLINE\n8\n0\n6\nDASHED\n10\n0\n20\n0\n11\n1\n21\n1\n");
        entities("open.dxf", "0\nHATCH\n8\n0\n2\nSOLID\n70\n1\n91\n1\n92\n1\n93\n2\n72\n1\n10\n0\n20\n0\n11\n1\n21\n0\n"
                             "72\n1\n10\n1\n20\n0\n11\n1\n21\n1\n97\n0\n75\n0\n76\n1\n98\n0\n");
        const std::string points = "10\n0\n20\n0\n30\n0\n10\n1\n20\n1\n30\n0\n";
        entities("knots.dxf", "0\nSPLINE\n8\n0\n70\n0\n71\n1\n72\n4\n73\n2\n74\n0\n40\n0\n40\n1\n40\n0.5\n40\n1\n" + points);
        entities("counts.dxf", "0\nSPLINE\n8\n0\n70\n0\n71\n3\n72\n4\n73\n4\n74\n0\n40\n0\n40\n0\n40\n1\n40\n1\n" +
                                   points + points);
    }
};

TEST_F(BadInputTest, EachRowOfTheTableGivesItsAnswerAndStatusAndChangesNoFile)
{
    MakeFiles();
    const std::vector<BadInput> rows = TableRows();
    ASSERT_GE(rows.size(), 40u);
    const auto before = Folder();
    for (const BadInput& bad : rows)
    {
        std::string command;
        for (const std::string& arg : bad.args)
            command += " " + arg;
        SCOPED_TRACE("znsim" + command);
        const ZnsimRun run = Run(bad.args);
        EXPECT_EQ(run.status, bad.status);
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        const bool start = bad.answer.size() > 3 && bad.answer.compare(bad.answer.size() - 3, 3, "...") == 0;
        const std::string expected = "znsim: " + (start ? bad.answer.substr(0, bad.answer.size() - 3) : bad.answer + "\n");
        EXPECT_EQ(run.err.substr(0, start ? expected.size() : std::string::npos), expected);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(Folder(), before);
    }
}
} // namespace
