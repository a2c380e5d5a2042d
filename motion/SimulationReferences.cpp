#include "motion/SimulationReferences.h"

#include "model/CPmPart.h"
#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "model/CPmSim200.h"
#include "model/CZnBlock.h"

namespace
{
void AddPart(const CPmPart& part, std::vector<AcDbHandle>& handles)
{
    const CZnBlock* block = part.Block();
    const AcDbHandle* handle = block != nullptr ? block->Handle() : nullptr;
    if (handle != nullptr && !handle->isNull())
        handles.push_back(*handle);
    for (int i = 0; i < part.NumSubParts(); ++i)
        AddPart(*part.SubPart(i), handles);
}

void AddTraces(const std::vector<PmPosition200>& positions, std::vector<std::vector<double>>& traces)
{
    if (positions.size() < 2)
        return;
    for (const dpoint3d PmPosition200::*point : {&PmPosition200::pt, &PmPosition200::tpt})
    {
        std::vector<double>& xy = traces.emplace_back();
        for (const PmPosition200& position : positions)
            xy.insert(xy.end(), {(position.*point).x, (position.*point).y});
    }
}
} // namespace

std::vector<AcDbHandle> ReferencesOf(const CPmSim200& sim)
{
    std::vector<AcDbHandle> handles;
    for (const CPmSection200* section : *sim.Sections())
        for (const CPmSegment200* segment : *section->Segments())
            if (segment->Part() != nullptr)
                AddPart(*segment->Part(), handles);
    return handles;
}

std::vector<std::vector<double>> TracesOf(const CPmSim200& sim)
{
    std::vector<std::vector<double>> traces;
    for (const CPmSection200* section : *sim.Sections())
        for (const CPmSegment200* segment : *section->Segments())
            AddTraces(*segment->Positions(), traces);
    return traces;
}
