#include "tests/e2e/ZnsimTest.h"

#include "host/AcDbBlockReference.h"
#include "host/AcDbSymbolTable.h"
#include "host/AcRxDynamicLinker.h"
#include "storage/CPmDbxFactory200.h"
#include "tests/legacy/LegacyTest.h"
#include "tests/support/ScopedEnvironment.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

void ZnsimTest::SetUp()
{
    BlockDrawingTest::SetUp();
    std::string pattern = (fs::temp_directory_path() / "znsim-e2e-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    m_folder = pattern;
    const ScopedEnvironment commonFiles("CommonProgramFiles", CommonFilesDir().c_str());
    ASSERT_TRUE(acrxLoadModule(ModulePath().c_str(), false));
}

// The modules go only after the drawing holding their objects.
void ZnsimTest::TearDown()
{
    BlockDrawingTest::TearDown();
    acrxUnloadModule(ModulePath().c_str());
    acrxUnloadModule(LegacyModulePath().c_str());
    fs::remove_all(m_folder);
}

nlohmann::json ZnsimTest::RunJson(std::vector<std::string> args) const
{
    args.push_back("--json");
    const ZnsimRun run = Run(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return run.status == 0 ? nlohmann::json::parse(run.out) : nlohmann::json();
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

std::string ZnsimTest::Bytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::wstring ZnsimTest::DefinitionOf(AcDbHandle handle) const
{
    AcDbObjectId id;
    AcDbBlockReference* reference = nullptr;
    if (db()->getAcDbObjectId(id, false, handle) != Acad::eOk ||
        acdbOpenObject(reference, id, AcDb::kForRead) != Acad::eOk)
        return L"";
    const AcDbObjectId definitionId = reference->blockTableRecord();
    reference->close();
    AcDbBlockTableRecord* definition = nullptr;
    if (acdbOpenObject(definition, definitionId, AcDb::kForRead) != Acad::eOk)
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
