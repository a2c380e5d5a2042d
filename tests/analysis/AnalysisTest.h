// What the analysis suites share: shapes drawn as block definitions, frames
// turned about z, and simulations put together straight from placements
// and times, with no drawing file and no module in between.
#pragma once

#include "drawing/Angles.h"
#include "host/AcDbCurves.h"
#include "motion/SimulationMotion.h"
#include "tests/support/BlockDrawingTest.h"

#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

// A closed polyline through the corners given.
inline AcDbEntity* Polygon(std::initializer_list<std::pair<double, double>> corners)
{
    auto* polygon = new AcDbPolyline();
    for (const auto& [x, y] : corners)
        polygon->addVertexAt(polygon->numVerts(), AcGePoint2d(x, y));
    polygon->setClosed(true);
    return polygon;
}

inline AcDbEntity* Box(double x0, double y0, double x1, double y1)
{
    return Polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

// The frame at (x, y), turned degrees counter-clockwise about z.
inline Placement At(double x, double y, double degrees = 0.0)
{
    const double half = degrees * kPi / 360.0;
    return {{x, y, 0.0}, {std::cos(half), 0.0, 0.0, std::sin(half)}};
}

class AnalysisTest : public BlockDrawingTest
{
protected:
    // A block definition drawn with entities, which it takes over.
    static AcDbObjectId Block(const ACHAR* name, std::initializer_list<AcDbEntity*> entities)
    {
        const AcDbObjectId id = addDefinition(name);
        appendTo(id, entities);
        return id;
    }

    static PartShape Part(AcDbObjectId block, dpoint3d offset = {})
    {
        PartShape part;
        part.offset = offset;
        part.definition = block;
        return part;
    }

    // One section of the segments given, each its parts carried through
    // placements at times (seconds from the start).
    static SimulationMotion Section(std::vector<SegmentMotion> segments)
    {
        SectionMotion section{1.0, 0, 0.0, 0.0, std::move(segments)};
        for (const SegmentMotion& segment : section.segments)
            if (!segment.times.empty())
                section.duration = std::max(section.duration, segment.times.back());
        SimulationMotion motion;
        motion.duration = section.duration;
        motion.sections.push_back(std::move(section));
        return motion;
    }

    // One segment stepping through placements one second apart.
    static SimulationMotion Run(std::vector<PartShape> parts, std::vector<Placement> placements)
    {
        std::vector<double> times;
        for (std::size_t i = 0; i < placements.size(); ++i)
            times.push_back(static_cast<double>(i));
        return Section({{std::move(parts), std::move(placements), std::move(times)}});
    }
};
