// Driving a three-unit vehicle (the library's European truck and drawbar
// trailer) along a 1 km path of lines and arcs at 0.1 m steps, and storing
// it as a simulation, as znsim drive does: against its floor, znsim new
// storing the same positions from their JSON description. Drive reads no
// description but integrates the trailing law, draws the units and checks
// the limits; both build and store the same records through the module.
#include "app/DemoDrawing.h"
#include "app/DrivenSimulation.h"
#include "app/HostSession.h"
#include "app/SimBuilder.h"
#include "bench/support/BenchDrawing.h"
#include "drawing/Angles.h"
#include "drawing/BlockDefinition.h"
#include "kinematics/DriveChecks.h"
#include "kinematics/UnitDrawing.h"
#include "kinematics/VehicleFile.h"

#include <benchmark/benchmark.h>

#include <nlohmann/json.hpp>

namespace
{
constexpr double kStep = 0.1;

// 1 km: on, left round a yard's corner, on, back round a half turn, on.
DrivePath Kilometre()
{
    std::vector<PathPiece> pieces{{{0.0, 0.0, 0.0}, 400.0, 0.0}};
    const auto then = [&pieces](double length, double curvature) {
        pieces.push_back({pieces.back().At(pieces.back().length), length, curvature});
    };
    then(25.0 * Radians(90.0), 1.0 / 25.0);
    then(300.0, 0.0);
    then(30.0 * Radians(180.0), -1.0 / 30.0);
    then(1000.0 - 700.0 - 25.0 * Radians(90.0) - 30.0 * Radians(180.0), 0.0);
    DrivePath path;
    path.parts.push_back({pieces, false, 10.0, 1});
    return path;
}

struct Yard
{
    Yard() : vehicle(LoadVehicle("EU-18.75-drawbar", ZNSIM_VEHICLES)), path(Kilometre())
    {
        host.Create();
        parked = DrawDemoVehicles();
    }

    std::vector<DrivenPart> Drive() const
    {
        return DriveAlong(vehicle, path, {kStep, {vehicle.units[0].wheelbase, 0.0}, 10.0, 1});
    }

    HostSession host;
    Vehicle vehicle;
    DrivePath path;
    DemoVehicles parked;
};

Yard& TheYard()
{
    static Yard yard;
    return yard;
}

std::string Named(const char* stem, std::int64_t run)
{
    return stem + std::to_string(run);
}

void BM_Drive(benchmark::State& state)
{
    Yard& yard = TheYard();
    std::int64_t run = 0;
    for (auto _ : state)
    {
        const std::vector<DrivenPart> driven = yard.Drive();
        benchmark::DoNotOptimize(CheckDrive(yard.vehicle, yard.path, driven, 1.0));
        std::vector<PartDescription> units;
        for (const VehicleUnit& unit : yard.vehicle.units)
        {
            units.emplace_back();
            units.back().where = unit.name;
            units.back().definition = DefineBlock(unit.name, DrawUnit(unit, 1.0));
        }
        const std::string name = Named("Drive ", run++);
        StoreSimulation(DrivenSimulation(std::wstring(name.begin(), name.end()), yard.vehicle, driven, units), "bench",
                        "drive");
        for (const PartDescription& unit : units)
            EraseBlockDefinition(unit.definition);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(1000.0 / kStep));
}
BENCHMARK(BM_Drive)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same positions, as a JSON description that names the parked
// vehicles' references, read and stored as znsim new does.
std::string Described(const Yard& yard)
{
    const std::vector<DrivenPart> driven = yard.Drive();
    const AcDbHandle blocks[] = {yard.parked.tractor, yard.parked.trailer, yard.parked.car};
    nlohmann::json segments = nlohmann::json::array();
    for (std::size_t u = 0; u < yard.vehicle.units.size(); ++u)
    {
        nlohmann::json positions = nlohmann::json::array();
        for (const DrivenSample& sample : driven[0].samples)
        {
            const UnitPose& pose = sample.units[u];
            const PathPoint leading = Chain::PointOf(pose, yard.vehicle.units[u].wheelbase, 0.0);
            positions.push_back({{"pt", {pose.x, pose.y, 0.0}},
                                 {"tpt", {leading.x, leading.y, 0.0}},
                                 {"heading", Degrees(pose.heading)}});
        }
        char handle[20];
        std::snprintf(handle, sizeof handle, "%llX", static_cast<unsigned long long>(blocks[u]));
        segments.push_back({{"part", {{"block", handle}}}, {"positions", positions}});
    }
    return nlohmann::json{{"name", "Json"}, {"id", 1}, {"type", 0},
                          {"sections", {{{"speed", 10}, {"unit", "km/h"}, {"segments", segments}}}}}
        .dump();
}

void BM_Drive_Baseline(benchmark::State& state)
{
    Yard& yard = TheYard();
    const std::string text = Described(yard);
    std::int64_t run = 0;
    for (auto _ : state)
    {
        SimDescription description = ParseSimDescription(text, "bench.json");
        const std::string name = Named("New ", run++);
        description.name = std::wstring(name.begin(), name.end());
        StoreSimulation(description, "bench", "bench.json");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(1000.0 / kStep));
}
BENCHMARK(BM_Drive_Baseline)->Unit(benchmark::kMillisecond)->Iterations(3);
} // namespace

BENCHMARK_MAIN();
