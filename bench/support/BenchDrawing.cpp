#include "bench/support/BenchDrawing.h"

#include "geometry/CIvAcadBlock.h"
#include "host/AcDbDatabase.h"
#include "storage/CPmAcadPart.h"
#include "storage/CPmAcadSection200.h"
#include "storage/CPmAcadSegment200.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmDbxFactory200.h"

#include <cmath>
#include <string>
#include <unistd.h>

namespace bench
{
std::vector<PmPosition200> MakePath(std::size_t positions)
{
    std::vector<PmPosition200> path(positions);
    for (std::size_t i = 0; i < positions; ++i)
    {
        const double s = static_cast<double>(i);
        PmPosition200& p = path[i];
        p.pt = {s, 0.5 * s, 1.0};
        p.tpt = {s + 1.0, 0.5 * s, 1.0};
        double angles[3] = {std::fmod(s * 1e-3, 3.0), 0.1, -0.2};
        p.transform.SetEulerAngles(angles);
        p.transform.SetTranslation(CZnVector(p.pt.x, p.pt.y, p.pt.z));
    }
    return path;
}

// The section adds its segment as the model does: there is no block to move.
CPmSim200* MakeSim(const CString& name, unsigned __int64 id, const std::vector<PmPosition200>& path)
{
    auto* segment = new CPmAcadSegment200();
    segment->AddPart(new CPmAcadPart());
    segment->AddPath(path);
    auto* section = new CPmAcadSection200();
    section->CPmSection200::AddSegment(segment);
    CPmSim200* sim = CPmDbxFactory200::MakeSim(id, 0);
    sim->SetName(name);
    sim->AddSection(section);
    return sim;
}

void StoreSims(int count, const std::vector<PmPosition200>& path, unsigned __int64 firstId)
{
    for (int i = 0; i < count; ++i)
        MakeSim(L"Sim " + std::to_wstring(i), firstId + static_cast<unsigned>(i), path)->Save();
}

namespace
{
std::size_t partBytes(const CPmPart* part)
{
    if (part == nullptr)
        return 0;
    std::size_t bytes = sizeof(CPmAcadPart) + (part->Block() != nullptr ? sizeof(CIvAcadBlock) : 0);
    for (int i = 0; i < part->NumSubParts(); ++i)
        bytes += partBytes(part->SubPart(i));
    return bytes;
}
} // namespace

std::size_t RecordBytes(const CPmSim200& sim)
{
    std::size_t bytes = sizeof(CPmAcadSim200);
    for (const CPmSection200* section : *sim.Sections())
    {
        bytes += sizeof(CPmAcadSection200);
        for (const CPmSegment200* segment : *section->Segments())
            bytes += sizeof(CPmAcadSegment200) + partBytes(segment->Part()) +
                     segment->Positions()->size() * sizeof(PmPosition200);
    }
    return bytes;
}

WorkingDrawing::WorkingDrawing(bool empty)
    : m_database(new AcDbDatabase(!empty, empty)), m_before(acdbHostApplicationServices()->workingDatabase())
{
    CPmAcadSim200::rxInit();
    acdbHostApplicationServices()->setWorkingDatabase(m_database);
}

WorkingDrawing::~WorkingDrawing()
{
    acdbHostApplicationServices()->setWorkingDatabase(m_before);
    delete m_database;
}

WorkingAgain::WorkingAgain(WorkingDrawing& drawing) : m_before(acdbHostApplicationServices()->workingDatabase())
{
    acdbHostApplicationServices()->setWorkingDatabase(&drawing.database());
}

WorkingAgain::~WorkingAgain() { acdbHostApplicationServices()->setWorkingDatabase(m_before); }

std::wstring TemporaryPath(const std::wstring& stem)
{
    return L"/tmp/" + stem + L"-" + std::to_wstring(::getpid()) + L".zdw";
}

std::string Narrow(const std::wstring& path)
{
    return std::string(path.begin(), path.end());
}
} // namespace bench
