// DXF that import must refuse: one line on stderr naming the line of the
// DXF, exit status 2, no new drawing and the existing one unchanged.
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

#include <fstream>

namespace
{
namespace fs = std::filesystem;

class DxfBadInputTest : public ZnsimTest
{
protected:
    void SetUp() override
    {
        ZnsimTest::SetUp();
        Demo();
        ASSERT_EQ(Run({"export", "demo.zdw", "-o", "good.dxf"}).status, 0);
        m_good = fileBytes(File("good.dxf"));
        m_drawing = fileBytes(File("demo.zdw"));
    }

    // The good DXF with the first `from` after `after` replaced by `to`; the
    // line it is on.
    std::size_t WriteChanged(const std::string& after, const std::string& from, const std::string& to)
    {
        std::string text = m_good;
        const std::size_t at = text.find(from, text.find(after));
        EXPECT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        Write(text);
        return static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<long>(at), '\n')) + 1;
    }

    void Write(const std::string& text) const
    {
        std::ofstream(File("bad.dxf"), std::ios::binary) << text;
    }

    // Both ways in refused, naming the line; nothing written or changed.
    void ExpectRefused(std::size_t line, const std::string& says)
    {
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"import", "bad.dxf", "-o", "new.zdw"},
              std::vector<std::string>{"import", "bad.dxf", "--into", "demo.zdw"}})
        {
            const ZnsimRun run = Run(args);
            EXPECT_EQ(run.status, 2) << run.err;
            EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
            EXPECT_NE(run.err.find("bad.dxf: line " + std::to_string(line) + ": "), std::string::npos) << run.err;
            EXPECT_NE(run.err.find(says), std::string::npos) << run.err;
        }
        EXPECT_FALSE(fs::exists(File("new.zdw")));
        EXPECT_EQ(fileBytes(File("demo.zdw")), m_drawing);
        // No temporary drawing or lock file stays behind.
        for (const fs::directory_entry& entry : fs::directory_iterator(m_files.path()))
            EXPECT_EQ(entry.path().filename().string().find(".zdw."), std::string::npos) << entry.path();
    }

    std::string m_good;
    std::string m_drawing;
};

TEST_F(DxfBadInputTest, NotADxf)
{
    Write("PK\x03\x04 a zip, not a drawing\n");
    ExpectRefused(1, "not a DXF file");
    Write("");
    ExpectRefused(1, "not a DXF file");
}

TEST_F(DxfBadInputTest, CutShort)
{
    const std::string half = m_good.substr(0, m_good.find("\nENTITIES\n") + 10);
    Write(half);
    ExpectRefused(static_cast<std::size_t>(std::count(half.begin(), half.end(), '\n')), "cut short");
}

TEST_F(DxfBadInputTest, AValueThatIsNotANumber)
{
    const std::size_t line = WriteChanged("\nENTITIES\n", " 10\n", " 10\n1.2.3\n");
    ExpectRefused(line + 1, "group code 10 has the value \"1.2.3");
}

TEST_F(DxfBadInputTest, AReferenceToABlockThatIsNotThere)
{
    const std::size_t line = WriteChanged("\nENTITIES\n", "\nINSERT\n", "\nINSERT\n");
    std::string text = fileBytes(File("bad.dxf"));
    const std::size_t name = text.find("\nTractor\n", text.find("\nENTITIES\n"));
    text.replace(name, 9, "\nNo such block\n");
    Write(text);
    // The reference starts on its "0" line, just before its type.
    ExpectRefused(line, "\"No such block\", a block that the DXF does not define");
}

// dxflib sizes a polyline's vertices by its count before reading them: the
// fuzzer's 6 KB file that said 400 million took 12 GB.
TEST_F(DxfBadInputTest, ACountTheRestOfTheFileCannotHold)
{
    const std::size_t line = WriteChanged("\nLWPOLYLINE\n", "\n 90\n4\n", "\n 90\n400025807\n");
    ExpectRefused(line + 2, "LWPOLYLINE says it has 400025807 vertices, more than the rest of the file holds");
    WriteChanged("\nLWPOLYLINE\n", "\n 90\n4\n", "\n 90\n-5\n");
    ExpectRefused(line + 2, "LWPOLYLINE says it has -5 vertices, fewer than none");
}

// Lines that cannot be read as written: one too long for dxflib's buffer
// once made it read on forever, and a block name that the host would cut
// short at a NUL made import number it forever.
TEST_F(DxfBadInputTest, ALineTooLongOrHoldingANul)
{
    std::size_t line = WriteChanged("\nENTITIES\n", "\n  8\n0\n", "\n  8\n" + std::string(1024, 'L') + "\n");
    ExpectRefused(line + 2, "the line is longer than the 1023 characters a DXF line may have here");
    line = WriteChanged("\nBLOCK\n", "\n  2\n", std::string("\n  2\nA\0", 7));
    ExpectRefused(line + 2, "a NUL character, which no line of a DXF holds");
}

TEST_F(DxfBadInputTest, AVersionItDoesNotRead)
{
    const std::size_t line = WriteChanged("$ACADVER", "AC1015", "AC1006");
    ExpectRefused(line, "version \"AC1006\" is not supported");
}
} // namespace
