// What the storage suites share: a drawing test with the simulation class
// registered as the loaded module registers it, and the pieces they build.
#pragma once

#include "host/AcDbDictionary.h"
#include "model/CZnBlock.h"
#include "storage/CIvAcadObject.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/CPmAcadSim200.h"
#include "storage/ModuleEntryPoint.h"
#include "storage/SimDictionary.h"
#include "tests/support/BlockDrawingTest.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

// Where the build puts the modules; the tests are told through ZNSIM_BIN_DIR.
inline std::filesystem::path BinDir()
{
    const char* dir = std::getenv("ZNSIM_BIN_DIR");
    return dir != nullptr ? std::filesystem::path(dir) : std::filesystem::current_path();
}

// The module's file, for loading it by path as a host does.
inline std::wstring ModulePath()
{
    return (BinDir() / "ZnSim200_2007x64.dbx").wstring();
}

// A drawing-bound segment carrying part (or none) along path.
inline CPmAcadSegment200* segmentOf(CPmPart* part, std::vector<PmPosition200> path)
{
    auto* segment = new CPmAcadSegment200();
    segment->AddPart(part);
    segment->AddPath(path);
    return segment;
}

inline CPmAcadSection200* sectionOf(CPmSegment200* segment)
{
    auto* section = new CPmAcadSection200();
    section->AddSegment(segment);
    return section;
}

// The keys of "ZN_SIM".
inline std::vector<CString> storedNames()
{
    CStringArray array;
    EXPECT_EQ(CIvAcadObject::GetObjectNames(kSimDictionary, &array), 0);
    std::vector<CString> result;
    for (int i = 0; i < array.GetSize(); ++i)
        result.push_back(array[i]);
    return result;
}

class StorageTest : public BlockDrawingTest
{
protected:
    void SetUp() override
    {
        BlockDrawingTest::SetUp();
        CPmAcadSim200::rxInit();
    }

    void TearDown() override
    {
        BlockDrawingTest::TearDown();
        acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr);
    }

    // Only a closed object opens for write (erased ones included).
    static bool isClosed(AcDbObjectId id)
    {
        return openStatus(id, AcDb::kForWrite, true) == Acad::eOk;
    }

    bool namedObjectsHold(const ACHAR* key)
    {
        AcDbDictionary* namedObjects = nullptr;
        EXPECT_EQ(db()->getNamedObjectsDictionary(namedObjects, AcDb::kForRead), Acad::eOk);
        const bool held = namedObjects->has(key);
        namedObjects->close();
        return held;
    }
};

// A named object that files nothing of its own.
class NamedThing : public CIvAcadObject
{
public:
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override
    {
        return AcDbObject::dwgInFields(pFiler);
    }
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override
    {
        return AcDbObject::dwgOutFields(pFiler);
    }
};

// A block that is not a drawing block, as a legacy one is to this module.
class ForeignBlock : public CZnBlock
{
public:
    void DisplayPrint(std::wstringstream&) const override {}
    const AcDbHandle* Handle() const override { return &m_handle; }
    int AddToDrawing(bool) override { return 0; }
    int RemoveFromDrawing() override { return 0; }

private:
    AcDbHandle m_handle = AcDbHandle(77, 0);
};
