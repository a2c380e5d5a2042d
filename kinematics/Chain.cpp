#include "kinematics/Chain.h"

#include "drawing/Angles.h"

#include <cmath>

namespace
{
struct Vec
{
    double x;
    double y;
};

Vec Axis(double heading)
{
    return {std::cos(heading), std::sin(heading)};
}

Vec Normal(double heading)
{
    return {-std::sin(heading), std::cos(heading)};
}

double Dot(const Vec& a, const Vec& b)
{
    return a.x * b.x + a.y * b.y;
}
} // namespace

Chain::Chain(const Vehicle& vehicle, const Guide& guide) : m_guide(guide)
{
    for (const VehicleUnit& unit : vehicle.units)
        m_units.push_back({unit.wheelbase, unit.coupling ? unit.coupling->offset : 0.0});
}

PathPoint Chain::PointOf(const UnitPose& pose, double x, double y)
{
    const Vec u = Axis(pose.heading);
    const Vec n = Normal(pose.heading);
    return {pose.x + x * u.x + y * n.x, pose.y + x * u.y + y * n.y, pose.heading};
}

PathPoint Chain::LeadingPoint(const UnitPose& pose, std::size_t unit) const
{
    return PointOf(pose, m_units[unit].wheelbase, 0.0);
}

std::vector<UnitPose> Chain::FromGuide(const PathPoint& guide, const std::vector<double>& headings) const
{
    std::vector<UnitPose> poses;
    const UnitPose lead = {guide.x, guide.y, headings[0]};
    const PathPoint axle = PointOf(lead, -m_guide.x, -m_guide.y);
    poses.push_back({axle.x, axle.y, headings[0]});
    for (std::size_t i = 1; i < m_units.size(); ++i)
    {
        const PathPoint coupling = PointOf(poses.back(), m_units[i - 1].coupling, 0.0);
        const PathPoint rear = PointOf({coupling.x, coupling.y, headings[i]}, -m_units[i].wheelbase, 0.0);
        poses.push_back({rear.x, rear.y, headings[i]});
    }
    return poses;
}

ChainRates Chain::ForwardRates(double direction, const std::vector<double>& headings) const
{
    ChainRates rates;
    const Vec along = Axis(direction);
    // The guide, at (gx, gy) of the lead unit, moves along the path: its
    // sideways part turns the unit about its rear axle.
    const double leadRate = Dot(along, Normal(headings[0])) / m_guide.x;
    rates.headings.push_back(leadRate);
    rates.leadAxleSpeed = Dot(along, Axis(headings[0])) + leadRate * m_guide.y;
    Vec axle = {rates.leadAxleSpeed * std::cos(headings[0]), rates.leadAxleSpeed * std::sin(headings[0])};
    for (std::size_t i = 1; i < m_units.size(); ++i)
    {
        const Vec n = Normal(headings[i - 1]);
        const double c = m_units[i - 1].coupling;
        const Vec leading = {axle.x + c * rates.headings.back() * n.x, axle.y + c * rates.headings.back() * n.y};
        rates.headings.push_back(Dot(leading, Normal(headings[i])) / m_units[i].wheelbase);
        const Vec u = Axis(headings[i]);
        const double speed = Dot(leading, u);
        axle = {speed * u.x, speed * u.y};
    }
    return rates;
}

std::vector<UnitPose> Chain::FromLast(const PathPoint& axle, const std::vector<double>& headings) const
{
    const std::size_t last = m_units.size() - 1;
    std::vector<UnitPose> poses(m_units.size());
    poses[last] = {axle.x, axle.y, axle.heading + kPi};
    for (std::size_t i = last; i-- > 0;)
    {
        const PathPoint coupling = LeadingPoint(poses[i + 1], i + 1);
        const PathPoint rear = PointOf({coupling.x, coupling.y, headings[i]}, -m_units[i].coupling, 0.0);
        poses[i] = {rear.x, rear.y, headings[i]};
    }
    return poses;
}

ChainRates Chain::ReverseRates(const PathPoint& axle, double speed, double turn,
                                const std::vector<double>& headings) const
{
    const std::size_t last = m_units.size() - 1;
    ChainRates rates;
    rates.headings.assign(m_units.size(), 0.0);
    rates.headings[last] = turn;
    // The last unit's axle moves along the path, its heading turning with
    // the path's direction.
    Vec velocity = {speed * std::cos(axle.heading), speed * std::sin(axle.heading)};
    double heading = axle.heading + kPi;
    double rate = turn;
    for (std::size_t i = last; i-- > 0;)
    {
        const Vec n = Normal(heading);
        const double d = m_units[i + 1].wheelbase;
        const Vec leading = {velocity.x + d * rate * n.x, velocity.y + d * rate * n.y};
        rate = Dot(leading, Normal(headings[i])) / m_units[i].coupling;
        const Vec u = Axis(headings[i]);
        const double forward = Dot(leading, u);
        velocity = {forward * u.x, forward * u.y};
        heading = headings[i];
        rates.headings[i] = rate;
    }
    rates.leadAxleSpeed = last == 0 ? -speed : Dot(velocity, Axis(headings[0]));
    return rates;
}

double Chain::Steering(const ChainRates& rates) const
{
    // The front axle moves along its wheels: tan(steering) = d · (heading
    // rate) / (rear axle speed), in either direction of travel.
    const double rate = rates.headings.empty() ? 0.0 : rates.headings[0];
    return std::atan(m_units[0].wheelbase * rate / rates.leadAxleSpeed);
}

bool Chain::Reversible() const
{
    for (std::size_t i = 0; i + 1 < m_units.size(); ++i)
        if (m_units[i].coupling == 0.0)
            return false;
    return true;
}
