// The footprints of a simulation's parts, each made once: a block
// definition is flattened once, and a footprint (a definition through one
// reference's rotation and scale) built once, whichever segments and
// simulations show it. Sweeps and meetings both ask here, and keep the
// Footprints for as long as they hold the footprints it hands out.
#pragma once

#include "analysis/Footprint.h"
#include "analysis/Geos.h"
#include "motion/SimulationMotion.h"

#include <map>
#include <tuple>
#include <utility>
#include <vector>

// A part's footprint where the part tree puts it: offset from its segment's
// frame, as motion/ adds the tree's offsets up.
struct PlacedFootprint
{
    const Footprint* footprint = nullptr;
    dpoint3d offset;
    // Its part's place among its segment's parts (SegmentMotion::parts).
    std::size_t part = 0;
};

// How far any point of the parts lies from their segment's frame origin at
// most: the bound that sampling and runs of samples are measured by.
[[nodiscard]] double Reach(const std::vector<PlacedFootprint>& parts);

// What a sweep of the wheels takes of a part: the entities on kTyreLayer,
// and the block references that may hold them.
[[nodiscard]] bool TyresOnly(const AcDbEntity& entity, const std::optional<EntityLayer>& layer);

class Footprints
{
public:
    // Each part's footprint made of what takes lets through (all of it
    // when takes is empty).
    explicit Footprints(const GeosContext& geos, EntityFilter takes = {}) : m_geos(geos), m_takes(std::move(takes))
    {
    }
    Footprints(const Footprints&) = delete;
    Footprints& operator=(const Footprints&) = delete;

    // The longer side of the largest box of a part of motion, in the part's
    // frame: what a default tolerance is a share of.
    [[nodiscard]] double LargestSize(const SimulationMotion& motion);
    // The footprint of a part with a definition, at tolerance.
    [[nodiscard]] const Footprint& Of(const PartShape& part, double tolerance);
    // The segment's parts that cover anything, with their footprints.
    [[nodiscard]] std::vector<PlacedFootprint> PartsOf(const SegmentMotion& segment, double tolerance);

private:
    using Key = std::tuple<AcDbObjectId, double, double, double, double, double>;

    const Outline& OutlineOf(AcDbObjectId definition);

    const GeosContext& m_geos;
    EntityFilter m_takes;
    std::map<AcDbObjectId, Outline> m_outlines;
    std::map<Key, Footprint> m_footprints;
};
