#include "app/SimReport.h"

#include "app/BlockReferences.h"
#include "app/HeldSimulation.h"
#include "motion/SpeedUnits.h"
#include "app/StoredEntries.h"
#include "app/TextConversion.h"
#include "cadhost/DwgMemoryFiler.h"
#include "drawing/Angles.h"
#include "drawing/Names.h"
#include "model/CPmPart.h"
#include "model/CPmSection200.h"
#include "model/CPmSegment200.h"
#include "model/CPmSim200.h"
#include "model/CZnBlock.h"
#include "storage/CIvAcadObject.h"
#include "storage/CPmAcadSim200.h"
#include "storage/PartText.h"
#include "storage/SimDictionary.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace
{
using nlohmann::json;

// A copy that the factory hands out carries the moment of copying as its
// edit time, so both times are read from the stored simulation itself. One
// of the previous release has no stored object of this release: its
// conversion keeps the creation time, and its edit time is not known.
std::pair<json, json> StoredTimes(CPmSim200& sim)
{
    CPmSim200* stored = CPmAcadSim200::Load(*sim.Name());
    if (stored == nullptr)
        return {Utf8(sim.DttmCreated()), nullptr};
    const std::pair<json, json> times{Utf8(stored->DttmCreated()), Utf8(stored->DttmEdited())};
    stored->Close();
    return times;
}

// Reports show no negative zero: adding zero turns it into zero.
double Shown(double value)
{
    return value + 0.0;
}

json Triple(double x, double y, double z)
{
    return json::array({Shown(x), Shown(y), Shown(z)});
}

json Point(const dpoint3d& point)
{
    return Triple(point.x, point.y, point.z);
}

// The definition the block reference of handle shows; null when there is none.
json Definition(const AcDbHandle& handle)
{
    const std::optional<std::string> name = DefinitionName(handle);
    return name ? json(*name) : json(nullptr);
}

json Part(const CPmPart& part)
{
    const CZnBlock* block = part.Block();
    const AcDbHandle* handle = block != nullptr ? block->Handle() : nullptr;
    const bool placed = handle != nullptr && !handle->isNull();
    DwgMemoryFiler scratch;
    json subParts = json::array();
    for (int i = 0; i < part.NumSubParts(); ++i)
        subParts.push_back(Part(*part.SubPart(i)));
    return {{"block", placed ? json(HandleText(*handle)) : json(nullptr)},
            {"definition", placed ? Definition(*handle) : json(nullptr)},
            {"offset", Point(part.Offset())},
            {"text", Utf8(PartText(part, scratch))},
            {"parts", subParts}};
}

json Position(const PmPosition200& position)
{
    CZnTransform placement = position.transform;
    double angles[3] = {};
    placement.GetEulerAngles(angles);
    const double heading = Degrees(std::atan2(placement(1, 0), placement(0, 0)));
    return {{"pt", Point(position.pt)},
            {"tpt", Point(position.tpt)},
            {"heading", Shown(heading)},
            {"angles", Triple(Degrees(angles[0]), Degrees(angles[1]), Degrees(angles[2]))}};
}

json Segment(CPmSegment200& segment, std::optional<std::size_t> positionLimit)
{
    const std::vector<PmPosition200>& positions = *segment.Positions();
    const std::size_t shown = std::min(positions.size(), positionLimit.value_or(positions.size()));
    json shownPositions = json::array();
    for (std::size_t i = 0; i < shown; ++i)
        shownPositions.push_back(Position(positions[i]));
    return {{"length", segment.Length()},
            {"part", segment.Part() != nullptr ? Part(*segment.Part()) : json(nullptr)},
            {"position_count", positions.size()},
            {"positions", shownPositions}};
}

json Section(CPmSection200& section, std::optional<std::size_t> positionLimit)
{
    json segments = json::array();
    for (CPmSegment200* segment : *section.Segments())
        segments.push_back(Segment(*segment, positionLimit));
    return {{"speed", SpeedInUnit(section.Speed(), section.SpeedUnits())},
            {"unit", SpeedUnitName(section.SpeedUnits())},
            {"speed_mph", section.Speed()},
            {"length", section.Length()},
            {"segments", segments}};
}
} // namespace

json SimulationSummary(CPmSim200& sim)
{
    const auto [created, edited] = StoredTimes(sim);
    return {{"name", Utf8(*sim.Name())},
            {"type", sim.Type()},
            {"id", sim.Id()},
            {"in_use", sim.SimInUse() != 0},
            {"version", sim.IsCurVersion() ? 200 : 101},
            {"section_count", sim.Sections()->size()},
            {"length", sim.Length()},
            {"created", created},
            {"edited", edited}};
}

json SimulationTree(CPmSim200& sim, std::optional<std::size_t> positionLimit)
{
    json tree = SimulationSummary(sim);
    json sections = json::array();
    for (CPmSection200* section : *sim.Sections())
        sections.push_back(Section(*section, positionLimit));
    tree["sections"] = sections;
    return tree;
}

json SimulationList(const std::string& file)
{
    HeldSimulationList list(Made(CPmDbxFactory200::LoadSimList(true, false)));
    json sims = json::array();
    for (int i = 0; i < list->Size(); ++i)
        sims.push_back(SimulationSummary(*list->Sim(i)));
    // The list leaves out what it cannot load, such as the previous
    // release's simulations when its module is missing; those are named.
    CStringArray names;
    CIvAcadObject::GetObjectNames(kSimDictionary, &names);
    json unreadable = json::array();
    for (int i = 0; i < names.GetSize(); ++i)
    {
        const std::string name = Utf8(names[i]);
        if (std::none_of(sims.begin(), sims.end(),
                         [&name](const json& sim) { return sim["name"] == name; }))
            unreadable.push_back(name);
    }
    return {{"file", file},
            {"simulations", sims},
            {"unreadable", unreadable},
            {"colliding", CollidingNames()}};
}
