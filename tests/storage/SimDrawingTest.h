// Stored simulations for the loading, list and legacy suites: simulations
// made and stored by name, what the drawing holds of them, and the kinds of
// object an identifier can name.
#pragma once

#include "geometry/CIvAcadBlock.h"
#include "host/AcDbCurves.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/CPmSimList200.h"
#include "storage/SimDictionary.h"
#include "tests/storage/StorageTest.h"

#include <string>
#include <vector>

class SimDrawingTest : public StorageTest
{
protected:
    // A handle that no object of a test drawing has.
    static constexpr unsigned __int64 kNamesNothing = 0x7A5E0000ull;

    static CPmSim200* newSim(const CString& name, unsigned __int64 id = 0)
    {
        CPmSim200* sim = CPmDbxFactory200::MakeSim(id, 0);
        sim->SetName(name);
        return sim;
    }

    // Stores a new simulation through its own Save.
    static void store(const CString& name, unsigned __int64 id = 0, bool inUse = false)
    {
        CPmSim200* sim = newSim(name, id);
        sim->SetSimInUse(inUse);
        ASSERT_EQ(sim->Save(), 0);
    }

    // Stores a new simulation whose one part is shown by a new block
    // reference; the reference's handle.
    AcDbHandle storeShown(const CString& name, unsigned __int64 id = 0, bool inUse = false)
    {
        auto* part = new CPmAcadPart();
        part->AddBlock(new CIvAcadBlock(newSource(nextBlockName().c_str(), {1, 2, 3}).get()));
        const AcDbHandle shown = *part->Block()->Handle();
        CPmSim200* sim = newSim(name, id);
        sim->AddSection(sectionOf(segmentOf(part, {PmPosition200{{1, 2, 3}, {4, 5, 6}, {}}})));
        sim->SetSimInUse(inUse);
        EXPECT_EQ(sim->Save(), 0);
        return shown;
    }

    // The identifier stored under name, read from the stored object.
    static unsigned __int64 storedId(const CString& name)
    {
        CPmSim200* sim = CPmAcadSim200::Load(name);
        EXPECT_NE(sim, nullptr) << "nothing current stored under " << name.str();
        if (sim == nullptr)
            return ~0ull;
        const unsigned __int64 id = sim->Id();
        sim->Close();
        return id;
    }

    static AcDbObjectId storedObject(const CString& name)
    {
        return CIvAcadObject::GetObjectId(kSimDictionary, name);
    }

    static std::vector<CString> namesOf(const CPmSimList200& list)
    {
        std::vector<CString> names;
        for (int i = 0; i < list.Size(); ++i)
            names.push_back(*list.Sim(i)->Name());
        return names;
    }

    AcDbHandle liveReference()
    {
        return appendToModelSpace(new AcDbBlockReference(AcGePoint3d(0, 0, 0),
                                                         addDefinition(nextBlockName().c_str())))
            .handle();
    }

    AcDbHandle erasedReference()
    {
        const AcDbHandle handle = liveReference();
        AcDbObject* reference = nullptr;
        EXPECT_EQ(acdbOpenAcDbObject(reference, idOf(handle), AcDb::kForWrite), Acad::eOk);
        EXPECT_EQ(reference->erase(), Acad::eOk);
        reference->close();
        return handle;
    }

    AcDbHandle otherObject()
    {
        return appendToModelSpace(new AcDbLine(AcGePoint3d(0, 0, 0), AcGePoint3d(1, 1, 0))).handle();
    }

private:
    std::wstring nextBlockName() { return L"Block" + std::to_wstring(++m_blocks); }

    int m_blocks = 0;
};
