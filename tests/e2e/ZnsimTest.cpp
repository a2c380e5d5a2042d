#include "tests/e2e/ZnsimTest.h"

#include "host/AcDbSymbolTable.h"
#include "tests/legacy/LegacyTest.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ShellWord.h"

#include <cstdlib>

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
// znsim itself wrote.
ZnsimRun ZnsimTest::Run(const std::vector<std::string>& args) const
{
    const fs::path out = m_files.path().string() + ".out";
    const fs::path err = m_files.path().string() + ".err";
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
    for (const auto& entry : fs::directory_iterator(m_files.path()))
        files[entry.path().filename().string()] = fileBytes(entry.path());
    return files;
}

fs::path ZnsimTest::Demo() const
{
    const ZnsimRun run = Run({"demo", "demo.zdw"});
    EXPECT_EQ(run.status, 0) << run.err;
    return File("demo.zdw");
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
