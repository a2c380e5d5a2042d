// The low-speed, no-slip kinematics of a chain of units. Each unit's rear
// axle moves only along the unit's own axis, so the unit turns about it as
// its leading point pulls: d(heading)/ds = (V · n) / d, where V is the
// leading point's velocity per unit of the driven distance s, n the unit's
// left-hand normal and d its wheelbase. For the lead unit the leading point
// is the guide, which runs on the path; each trailer's is its leader's
// coupling point, whose velocity follows from the leader's.
//
// In reverse the last unit's rear axle runs on the path instead, the unit
// facing away from where it goes, and each unit ahead turns so that its own
// rear axle keeps to its axis while its coupling point, the follower's
// leading point, moves: d(heading)/ds = (V · n) / c, c the coupling's
// offset. That law settles only when integrated against the motion, so a
// reverse run is solved from its end back to its start.
#pragma once

#include "kinematics/Path.h"
#include "kinematics/Vehicle.h"

#include <vector>

struct UnitPose
{
    // The effective rear axle centre.
    double x = 0.0;
    double y = 0.0;
    double heading = 0.0;
};

// The point of the lead unit that runs on the path, in its frame.
struct Guide
{
    double x = 0.0;
    double y = 0.0;
};

// How the chain moves for a unit of driven distance: each unit's heading's
// rate, and the lead unit's rear axle speed along its axis (negative in
// reverse).
struct ChainRates
{
    std::vector<double> headings;
    double leadAxleSpeed = 0.0;
};

class Chain
{
public:
    Chain(const Vehicle& vehicle, const Guide& guide);

    std::size_t Units() const { return m_units.size(); }

    // Forward: every unit's pose when the guide stands at guide and the
    // units face headings.
    [[nodiscard]] std::vector<UnitPose> FromGuide(const PathPoint& guide, const std::vector<double>& headings) const;
    [[nodiscard]] ChainRates ForwardRates(double direction, const std::vector<double>& headings) const;

    // Reverse: every unit's pose when the last unit's rear axle stands at
    // axle (its heading the way it moves) and the units ahead face
    // headings (one fewer than the units).
    [[nodiscard]] std::vector<UnitPose> FromLast(const PathPoint& axle, const std::vector<double>& headings) const;
    // How the chain moves when that axle moves speed along its heading and
    // turns by turn: per unit of path length along a piece (speed 1, turn
    // its curvature), or per radian at a corner of the path, where the last
    // unit swings about its axle (speed 0, turn 1).
    [[nodiscard]] ChainRates ReverseRates(const PathPoint& axle, double speed, double turn,
                                          const std::vector<double>& headings) const;

    // The unit's leading point: its steering axle or coupling point.
    [[nodiscard]] PathPoint LeadingPoint(const UnitPose& pose, std::size_t unit) const;
    // The point of the unit at (x, y) in its frame.
    [[nodiscard]] static PathPoint PointOf(const UnitPose& pose, double x, double y);
    // The lead unit's steering angle for its heading's rate and its rear
    // axle's speed.
    [[nodiscard]] double Steering(const ChainRates& rates) const;
    // A reverse run needs every coupling off its unit's axle: with the
    // coupling over it, the unit's heading is not held by its follower.
    [[nodiscard]] bool Reversible() const;

private:
    struct Link
    {
        double wheelbase;
        // To the next unit; 0 on the last.
        double coupling;
    };
    std::vector<Link> m_units;
    Guide m_guide;
};
