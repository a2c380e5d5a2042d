#include "kinematics/Drive.h"

#include "drawing/Angles.h"
#include "drawing/Failure.h"
#include "drawing/NumberText.h"

#include <boost/numeric/odeint.hpp>

#include <algorithm>
#include <cmath>
#include <functional>
#include <set>

namespace
{
using State = std::vector<double>;
namespace odeint = boost::numeric::odeint;

// The integrator's error per step, relative and absolute, in radians.
constexpr double kError = 1e-12;
// How near a part must start to where the vehicle stands, in metres, and
// how nearly a reverse part must leave along the last unit.
constexpr double kStartSlack = 0.01;
constexpr double kHeadingSlack = Radians(1.0);
// How far the units may stand from where a reverse run needs them when it
// starts: further, and the run is not one they can drive.
constexpr double kReverseSlack = Radians(2.0);
// The most a coupling may part between positions, in metres.
constexpr double kCouplingGap = 0.0005;
// Rounds of adding positions where couplings would part: each round
// brings the gap down by the square of the split.
constexpr int kRefinements = 3;
// More positions than this in one part are refused: the step asked is too
// fine for the path (or the path too long for the step).
constexpr double kMostPositions = 1e7;

double Wrapped(double angle)
{
    angle = std::remainder(angle, 2.0 * kPi);
    return angle <= -kPi ? angle + 2.0 * kPi : angle;
}

[[noreturn]] void Fail(std::size_t part, const std::string& what)
{
    throw Failure(FailureKind::badInput, "path part " + std::to_string(part + 1) + ": " + what);
}

std::string PointText(double x, double y)
{
    return "(" + NumberText(x) + ", " + NumberText(y) + ")";
}

std::vector<double> Headings(const std::vector<UnitPose>& poses)
{
    std::vector<double> headings;
    for (const UnitPose& pose : poses)
        headings.push_back(pose.heading);
    return headings;
}

// Distances along a part where positions stand: at most step apart,
// first 0, last the part's length.
std::vector<double> Spaced(double length, double step)
{
    const auto steps = static_cast<std::size_t>(std::max(1.0, std::ceil(length / step)));
    std::vector<double> along;
    for (std::size_t i = 0; i <= steps; ++i)
        along.push_back(length * static_cast<double>(i) / static_cast<double>(steps));
    return along;
}

// The times at which to stop along a piece running from 0 to length:
// its ends and the samples within it.
std::vector<double> Stops(const std::vector<double>& along, double from, double length)
{
    std::set<double> stops{0.0, length};
    for (const double s : along)
        if (s > from && s < from + length)
            stops.insert(s - from);
    return {stops.begin(), stops.end()};
}

// The rates of a reverse run, for integrating against the motion: all
// but the last unit's, whose heading the path gives.
template <class Rates> auto Backwards(const Rates& rates)
{
    return [rates](const State& at, State& change, double t) {
        const ChainRates found = rates(at, t);
        change.assign(found.headings.begin(), found.headings.end() - 1);
        for (double& rate : change)
            rate = -rate;
    };
}

class PartDriver
{
public:
    PartDriver(const Chain& chain, const Vehicle& vehicle, const PathPart& part, double distance)
        : m_chain(chain), m_vehicle(vehicle), m_part(part), m_distance(distance)
    {
    }

    std::vector<DrivenSample> Drive(const std::vector<double>& headings, const std::vector<double>& along) const
    {
        return m_part.reverse ? Reverse(headings, along) : Forward(headings, along);
    }

    // The widest a coupling parts between two positions when each unit is
    // drawn on the straight line and the shorter turn between them.
    double Gap(const DrivenSample& a, const DrivenSample& b) const
    {
        std::vector<UnitPose> middle;
        for (std::size_t i = 0; i < a.units.size(); ++i)
            middle.push_back({(a.units[i].x + b.units[i].x) / 2.0, (a.units[i].y + b.units[i].y) / 2.0,
                              a.units[i].heading + Wrapped(b.units[i].heading - a.units[i].heading) / 2.0});
        double gap = 0.0;
        for (std::size_t i = 0; i + 1 < middle.size(); ++i)
        {
            const PathPoint coupling = Chain::PointOf(middle[i], m_vehicle.units[i].coupling->offset, 0.0);
            const PathPoint leading = m_chain.LeadingPoint(middle[i + 1], i + 1);
            gap = std::max(gap, std::hypot(coupling.x - leading.x, coupling.y - leading.y));
        }
        return gap;
    }

private:
    DrivenSample Sample(double s, const std::vector<UnitPose>& poses, const ChainRates& rates) const
    {
        return {m_distance + s, poses, m_chain.Steering(rates)};
    }

    std::vector<DrivenSample> Forward(const std::vector<double>& headings, const std::vector<double>& along) const
    {
        std::vector<DrivenSample> samples;
        State state = headings;
        double from = 0.0;
        std::size_t next = 0;
        for (const PathPiece& piece : m_part.pieces)
        {
            const auto rates = [&](const State& at, double t) { return m_chain.ForwardRates(piece.At(t).heading, at); };
            const auto system = [&](const State& at, State& change, double t) { change = rates(at, t).headings; };
            const auto observe = [&](const State& at, double t) {
                if (next < along.size() && std::abs(from + t - along[next]) <= 1e-9 * (1.0 + along[next]))
                    samples.push_back(Sample(along[next++], m_chain.FromGuide(piece.At(t), at), rates(at, t)));
            };
            Integrate(system, state, Stops(along, from, piece.length), observe);
            from += piece.length;
        }
        return samples;
    }

    // Solved from the part's end, where the units stand in line behind the
    // last, back to its start.
    std::vector<DrivenSample> Reverse(const std::vector<double>& headings, const std::vector<double>& along) const
    {
        std::vector<DrivenSample> samples;
        State state(headings.size() - 1, m_part.End().heading + kPi);
        double to = m_part.Length();
        std::size_t next = along.size();
        for (std::size_t j = m_part.pieces.size(); j-- > 0;)
        {
            const PathPiece& piece = m_part.pieces[j];
            const double from = to - piece.length;
            const auto axle = [&](double t) { return piece.At(piece.length - t); };
            const auto rates = [&](const State& at, double t) {
                return m_chain.ReverseRates(axle(t), 1.0, piece.curvature, at);
            };
            const auto observe = [&](const State& at, double t) {
                if (next > 0 && std::abs(to - t - along[next - 1]) <= 1e-9 * (1.0 + along[next - 1]))
                    samples.push_back(Sample(along[--next], m_chain.FromLast(axle(t), at), rates(at, t)));
            };
            std::vector<double> stops;
            for (const double s : Stops(along, from, piece.length))
                stops.push_back(piece.length - s);
            std::reverse(stops.begin(), stops.end());
            Integrate(Backwards(rates), state, stops, observe);
            if (j > 0)
                Corner(m_part.pieces[j - 1].At(m_part.pieces[j - 1].length), piece.start.heading, state);
            to = from;
        }
        std::reverse(samples.begin(), samples.end());
        return samples;
    }

    // The units ahead swing as the last unit turns about its axle at a
    // corner of the path, from the heading it leaves the corner with back
    // to the one it comes in with.
    void Corner(const PathPoint& in, double out, State& state) const
    {
        const double turn = Wrapped(out - in.heading);
        if (turn == 0.0)
            return;
        const double sign = turn > 0.0 ? 1.0 : -1.0;
        const auto rates = [&](const State& at, double t) {
            return m_chain.ReverseRates({in.x, in.y, out - sign * t}, 0.0, sign, at);
        };
        Integrate(Backwards(rates), state, {0.0, std::abs(turn)}, [](const State&, double) {});
    }

    template <class System, class Observer>
    static void Integrate(const System& system, State& state, const std::vector<double>& stops, const Observer& observe)
    {
        if (state.empty())
        {
            for (const double t : stops)
                observe(state, t);
            return;
        }
        odeint::integrate_times(odeint::make_dense_output(kError, kError, odeint::runge_kutta_dopri5<State>()),
                                system, state, stops.begin(), stops.end(), stops.back() / 64.0 + 1e-6, observe);
    }

    const Chain& m_chain;
    const Vehicle& m_vehicle;
    const PathPart& m_part;
    double m_distance;
};

// The positions again, more closely where a coupling parts between two.
std::vector<double> Refined(const PartDriver& driver, const std::vector<DrivenSample>& samples,
                            const std::vector<double>& along, double gap)
{
    std::vector<double> refined{along.front()};
    for (std::size_t i = 0; i + 1 < samples.size(); ++i)
    {
        // The gap grows with the square of the step.
        const double split = std::ceil(std::sqrt(driver.Gap(samples[i], samples[i + 1]) / gap));
        const auto parts = static_cast<std::size_t>(std::max(1.0, split));
        for (std::size_t k = 1; k <= parts; ++k)
            refined.push_back(along[i] + (along[i + 1] - along[i]) * static_cast<double>(k) / static_cast<double>(parts));
    }
    return refined;
}

void CheckStart(const DriveOptions& options, const PathPart& part, std::size_t index,
                const std::vector<UnitPose>& poses)
{
    const PathPoint start = part.Start();
    const PathPoint at = part.reverse ? PathPoint{poses.back().x, poses.back().y, poses.back().heading + kPi}
                                      : Chain::PointOf(poses.front(), options.guide.x, options.guide.y);
    if (std::hypot(start.x - at.x, start.y - at.y) > kStartSlack / options.metresPerUnit)
        Fail(index, "starts at " + PointText(start.x, start.y) + ", but the " +
                        (part.reverse ? "last unit's rear axle" : "guide") + " stands at " + PointText(at.x, at.y));
    if (part.reverse && std::abs(Wrapped(start.heading - at.heading)) > kHeadingSlack)
        Fail(index, "a reverse part starts backing along the last unit, heading " + NumberText(Degrees(at.heading)) +
                        " degrees, not " + NumberText(Degrees(start.heading)));
}

std::vector<UnitPose> StartPoses(const Chain& chain, const DrivePath& path)
{
    const PathPart& first = path.parts.front();
    const std::size_t units = chain.Units();
    const double lead = path.heading.value_or(first.Start().heading + (first.reverse ? kPi : 0.0));
    std::vector<double> headings(units, lead);
    for (std::size_t i = 0; i < path.articulation.size() && i + 1 < units; ++i)
        headings[i + 1] = headings[i] - path.articulation[i];
    if (first.reverse)
    {
        const std::vector<double> ahead(headings.begin(), headings.end() - 1);
        return chain.FromLast(first.Start(), ahead);
    }
    return chain.FromGuide(first.Start(), headings);
}
} // namespace

std::vector<DrivenPart> DriveAlong(const Vehicle& vehicle, const DrivePath& path, const DriveOptions& options)
{
    const Chain chain(vehicle, options.guide);
    std::vector<DrivenPart> driven;
    if (path.parts.empty())
        return driven;
    for (std::size_t index = 0; index < path.parts.size(); ++index)
        if (!(path.parts[index].Length() > 0.0))
            Fail(index, "it has no length");
    std::vector<UnitPose> poses = StartPoses(chain, path);
    double distance = 0.0;
    for (std::size_t index = 0; index < path.parts.size(); ++index)
    {
        const PathPart& part = path.parts[index];
        const double length = part.Length();
        if (part.reverse && !chain.Reversible())
            Fail(index, "a vehicle with a coupling over an axle cannot be driven in reverse");
        CheckStart(options, part, index, poses);
        if (length / options.step > kMostPositions)
            Fail(index, NumberText(length) + " long takes more than " + NumberText(kMostPositions) +
                            " positions at a step of " + NumberText(options.step));
        const PartDriver driver(chain, vehicle, part, distance);
        std::vector<double> along = Spaced(length, options.step);
        std::vector<DrivenSample> samples = driver.Drive(Headings(poses), along);
        for (int round = 0; round < kRefinements && vehicle.units.size() > 1; ++round)
        {
            std::vector<double> refined = Refined(driver, samples, along, kCouplingGap / options.metresPerUnit);
            if (refined.size() == along.size() || static_cast<double>(refined.size()) > kMostPositions)
                break;
            along = std::move(refined);
            samples = driver.Drive(Headings(poses), along);
        }
        if (part.reverse)
            for (std::size_t i = 0; i + 1 < poses.size(); ++i)
                if (std::abs(Wrapped(samples.front().units[i].heading - poses[i].heading)) > kReverseSlack)
                    Fail(index, "reversing along it needs unit " + std::to_string(i + 1) + " at heading " +
                                    NumberText(Degrees(samples.front().units[i].heading)) + " degrees, but it stands at " +
                                    NumberText(Degrees(poses[i].heading)));
        poses = samples.back().units;
        distance += length;
        driven.push_back({part.reverse, part.speed.value_or(options.speed),
                          part.speed ? part.speedUnit : options.speedUnit, std::move(samples)});
    }
    return driven;
}

double Articulation(const DrivenSample& sample, std::size_t coupling)
{
    return Wrapped(sample.units[coupling].heading - sample.units[coupling + 1].heading);
}
