#include "tests/app/ZnsimTest.h"

#include "host/AcDbSymbolTable.h"
#include "model/CPmPart.h"
#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "storage/CPmBlockFactory.h"
#include "tests/legacy101/LegacyTest.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ShellWord.h"

#include <atomic>
#include <cstdlib>
#include <regex>

#include <sys/wait.h>

namespace fs = std::filesystem;

void ZnsimTest::SetUp()
{
    BlockDrawingTest::SetUp();
    const ScopedEnvironment commonFiles("CommonProgramFiles", CommonFilesDir().c_str());
    ASSERT_TRUE(acrxLoadModule(ModulePath().c_str(), false));
}

// The modules go only after the drawing holding their objects.
void ZnsimTest::TearDown()
{
    BlockDrawingTest::TearDown();
    acrxUnloadModule(ModulePath().c_str());
    acrxUnloadModule(LegacyModulePath().c_str());
}

// The output goes beside the folder, so that the folder holds only what
// znsim itself wrote; each run has its own, so that runs may overlap.
ZnsimRun ZnsimTest::Run(const std::vector<std::string>& args) const
{
    static std::atomic<int> runs{0};
    const std::string stem = m_files.path().string() + "." + std::to_string(++runs);
    const fs::path out = stem + ".out";
    const fs::path err = stem + ".err";
    std::string command = "cd " + ShellWord(m_files.path().string()) + " && " +
                          ShellWord((BinDir() / "znsim").string());
    for (const std::string& arg : args)
        command += " " + ShellWord(arg);
    command += " >" + ShellWord(out.string()) + " 2>" + ShellWord(err.string());
    const int result = std::system(command.c_str());
    ZnsimRun run{WIFEXITED(result) ? WEXITSTATUS(result) : -1, fileBytes(out), fileBytes(err)};
    fs::remove(out);
    fs::remove(err);
    return run;
}

nlohmann::json ZnsimTest::RunJson(std::vector<std::string> args) const
{
    args.push_back("--json");
    const ZnsimRun run = Run(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json();
}

std::map<std::string, std::string> ZnsimTest::Folder() const
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(m_files.path()))
        files[entry.path().filename().string()] = entry.is_directory() ? "(folder)" : fileBytes(entry.path());
    return files;
}

fs::path ZnsimTest::Demo() const
{
    const ZnsimRun run = Run({"demo", "demo.zdw"});
    EXPECT_EQ(run.status, 0) << run.err;
    return File("demo.zdw");
}

void ZnsimTest::DriveCar(const std::string& name, double x0, double x1, double kmh, double lane) const
{
    const double heading = x1 > x0 ? 0.0 : 180.0;
    const nlohmann::json description = {
        {"name", name},
        {"id", 1},
        {"type", 0},
        {"sections",
         {{{"speed", kmh},
           {"unit", "km/h"},
           {"segments",
            {{{"part", {{"block", "29"}, {"text", name + "'s car"}}},
              {"positions",
               {{{"pt", {x0, lane, 0}}, {"heading", heading}}, {{"pt", {x1, lane, 0}}, {"heading", heading}}}}}}}}}}};
    writeFile(File(name + ".json"), description.dump());
    const ZnsimRun run = Run({"new", "demo.zdw", "--from", name + ".json"});
    EXPECT_EQ(run.status, 0) << run.err;
}

namespace
{
void StoreSharingTheTractor(AcDbDatabase& drawing, const CString& name)
{
    CPmSim200* sim = CPmDbxFactory200::MakeSim(0, 1);
    sim->SetName(name);
    CPmPart* part = CPmDbxFactory200::MakePart();
    element parked{nullptr, nullptr};
    AcDbObjectId id;
    ASSERT_EQ(drawing.getAcDbObjectId(id, false, AcDbHandle(0x27)), Acad::eOk);
    ASSERT_EQ(acdbOpenObject(parked.blockRef, id, AcDb::kForRead), Acad::eOk);
    part->AddBlock(CPmBlockFactory::CreateBlock(&parked));
    parked.blockRef->close();
    CPmSegment200* segment = CPmDbxFactory200::MakeSegment();
    segment->AddPart(part);
    segment->AddPath({PmPosition200{}, PmPosition200{}});
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->AddSegment(segment);
    sim->AddSection(section);
    ASSERT_EQ(sim->Save(), 0);
}
} // namespace

fs::path ZnsimTest::SharedDrawing(const std::string& name)
{
    const ZnsimRun run = Run({"demo", name});
    EXPECT_EQ(run.status, 0) << run.err;
    Read(File(name));
    StoreSharingTheTractor(*db(), L"Old convoy");
    StoreSharingTheTractor(*db(), L"Old shuttle");
    EXPECT_EQ(db()->saveAs(File(name).wstring().c_str()), Acad::eOk);
    return File(name);
}

void ZnsimTest::Read(const fs::path& file)
{
    ASSERT_EQ(freshEmptyDatabase()->readDwgFile(file.wstring().c_str()), Acad::eOk);
}

std::wstring ZnsimTest::DefinitionOf(AcDbHandle handle)
{
    AcDbBlockTableRecord* definition = nullptr;
    if (acdbOpenObject(definition, placed(handle).definition, AcDb::kForRead) != Acad::eOk)
        return L"";
    const ACHAR* name = nullptr;
    definition->getName(name);
    const std::wstring result = name;
    definition->close();
    return result;
}

std::vector<CString> ZnsimTest::SimulationNames()
{
    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    return names;
}

nlohmann::json ZnsimTest::PageScene(const std::string& page)
{
    const std::string open = "<script type=\"application/json\" id=\"scene\">";
    const std::size_t start = page.find(open);
    const std::size_t end = start == std::string::npos ? start : page.find("</script>", start);
    if (end == std::string::npos)
        return nlohmann::json(nlohmann::json::value_t::discarded);
    return nlohmann::json::parse(page.substr(start + open.size(), end - start - open.size()), nullptr, false);
}

std::vector<std::string> ZnsimTest::StillClasses(const std::string& svg)
{
    std::vector<std::string> classes;
    const std::regex attribute(" class=\"([^\"]*)\"");
    for (auto match = std::sregex_iterator(svg.begin(), svg.end(), attribute); match != std::sregex_iterator(); ++match)
        classes.push_back((*match)[1]);
    return classes;
}
