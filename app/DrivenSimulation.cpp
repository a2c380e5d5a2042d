#include "app/DrivenSimulation.h"

#include "drawing/Angles.h"

SimDescription DrivenSimulation(const std::wstring& name, const Vehicle& vehicle,
                                const std::vector<DrivenPart>& driven, const std::vector<PartDescription>& units)
{
    SimDescription sim;
    sim.name = name;
    for (const DrivenPart& part : driven)
    {
        SectionDescription section{part.speed, part.speedUnit, {}};
        for (std::size_t u = 0; u < vehicle.units.size(); ++u)
        {
            SegmentDescription segment{units[u], {}};
            for (const DrivenSample& sample : part.samples)
            {
                const UnitPose& pose = sample.units[u];
                const PathPoint leading = Chain::PointOf(pose, vehicle.units[u].wheelbase, 0.0);
                segment.positions.push_back(HeadingPosition({pose.x, pose.y, 0.0}, {leading.x, leading.y, 0.0},
                                                            Degrees(pose.heading)));
            }
            section.segments.push_back(std::move(segment));
        }
        sim.sections.push_back(std::move(section));
    }
    return sim;
}
