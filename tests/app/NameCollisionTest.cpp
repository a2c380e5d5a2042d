// Drawings written while the stand-in host compared names with letter case
// may hold two simulations whose names differ by case alone. znsim reads them
// whole, says the names collide, finds each by its own spelling and saves
// both back.
#include "cadhost/Crc32.h"
#include "cadhost/DrawingFileHeader.h"
#include "model/CPmSim200.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmDbxFactory200.h"
#include "tests/app/ZnsimTest.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

namespace
{
using nlohmann::json;

class NameCollisionTest : public ZnsimTest
{
protected:
    // The demo drawing with a third simulation, "harbour convoy", beside
    // "Harbour convoy", as the earlier host wrote such a drawing: the
    // simulation is stored under a name of the same length and the name is
    // then respelled in the file, its object table summed again.
    std::filesystem::path OldDrawing()
    {
        Read(Demo());
        CPmSim200* sim = CPmDbxFactory200::MakeSim(0, 5);
        sim->SetName(L"Xarbour convoy");
        EXPECT_EQ(sim->Save(), 0);
        const std::filesystem::path drawing = File("old.zdw");
        EXPECT_EQ(db()->saveAs(drawing.wstring().c_str()), Acad::eOk);
        std::string bytes = fileBytes(drawing);
        Respell(bytes, u"Xarbour convoy", u"harbour convoy");
        std::ofstream(drawing, std::ios::binary) << bytes;
        return drawing;
    }

private:
    static void Respell(std::string& bytes, const std::u16string& from, const std::u16string& to)
    {
        const std::string before(reinterpret_cast<const char*>(from.data()), from.size() * 2);
        const std::string after(reinterpret_cast<const char*>(to.data()), to.size() * 2);
        for (auto at = bytes.find(before); at != std::string::npos; at = bytes.find(before, at))
            bytes.replace(at, after.size(), after);
        // The header says where the object table starts; its sum ends the
        // file.
        cadhost::DrawingFileHeader header;
        header.readFrom(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        const auto start = static_cast<std::size_t>(header.objectTableStart());
        const std::size_t end = bytes.size() - 4;
        const std::uint32_t sum =
            cadhost::crc32(reinterpret_cast<const std::uint8_t*>(bytes.data()) + start, end - start);
        std::memcpy(&bytes[end], &sum, sizeof sum);
    }
};

TEST_F(NameCollisionTest, AnOldDrawingWithNamesThatCollideIsReadListedAndSavedWithoutLoss)
{
    const std::filesystem::path drawing = OldDrawing();
    const json colliding = json::array({json::array({"Harbour convoy", "harbour convoy"})});

    const json listed = RunJson({"list", "old.zdw"});
    ASSERT_EQ(listed["simulations"].size(), 3u);
    EXPECT_EQ(listed["colliding"], colliding);
    EXPECT_NE(Run({"list", "old.zdw"}).out.find("Names that collide"), std::string::npos);
    EXPECT_EQ(RunJson({"info", "old.zdw"})["simulations"]["colliding"], colliding);

    // Each is found by its own spelling; any other finds the first.
    EXPECT_EQ(RunJson({"show", "old.zdw", "harbour convoy"})["type"], 5);
    EXPECT_EQ(RunJson({"show", "old.zdw", "Harbour convoy"})["type"], 1);
    EXPECT_EQ(RunJson({"show", "old.zdw", "HARBOUR CONVOY"})["type"], 1);

    ASSERT_EQ(Run({"use", "old.zdw", "harbour convoy"}).status, 0);
    Read(drawing);
    EXPECT_EQ(SimulationNames(),
              (std::vector<CString>{L"Ferry crossing", L"Harbour convoy", L"harbour convoy"}));
    CPmSim200* marked = CPmAcadSim200::Load(L"harbour convoy");
    ASSERT_NE(marked, nullptr);
    EXPECT_EQ(marked->SimInUse(), 1);
    EXPECT_EQ(marked->Type(), 5);
    marked->Close();
    CPmSim200* other = CPmAcadSim200::Load(L"Harbour convoy");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->SimInUse(), 0);
    EXPECT_EQ(other->Type(), 1);
    other->Close();
}
} // namespace
