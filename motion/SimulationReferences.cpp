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
