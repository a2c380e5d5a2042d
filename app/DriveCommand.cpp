// znsim drive: a vehicle of the library (or of a description) driven along
// a path, a polyline of the drawing or a JSON description, by the trailing
// law; stored as a simulation through the module's factories, one segment
// a unit, and reported against the vehicle's limits.
#include "app/BlockReferences.h"
#include "app/Commands.h"
#include "app/DriveText.h"
#include "app/DrivenSimulation.h"
#include "app/HeldSimulation.h"
#include "app/QuantityOption.h"
#include "app/SimBuilder.h"
#include "app/StoredEntries.h"
#include "cadhost/Utf8Text.h"
#include "drawing/BlockDefinition.h"
#include "drawing/Opened.h"
#include "drawing/TextFile.h"
#include "host/AcDbCurves.h"
#include "kinematics/DriveChecks.h"
#include "kinematics/PathFile.h"
#include "kinematics/UnitDrawing.h"
#include "kinematics/VehicleFile.h"
#include "motion/LengthUnit.h"
#include "motion/SpeedUnits.h"

#include <sstream>

namespace
{
using nlohmann::json;

// Positions a quarter of a metre apart follow a lorry's turns closely
// enough to see and to sweep.
constexpr double kDefaultStep = 0.25;

struct DriveCommandOptions : DrawingOptions
{
    std::string vehicle;
    std::string path;
    std::string pathJson;
    std::string name;
    std::vector<std::string> speed{"10", "km/h"};
    // 0 takes kDefaultStep.
    double step = 0.0;
    std::string guide = "front-axle";
    std::string blocks;
    std::string unit;
    bool check = false;
};

AcDbHandle HandleOf(const std::string& text, const std::string& option)
{
    if (text.empty() || text.size() > 16 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        throw Failure(FailureKind::badInput, option + " " + text + ": not a handle (1 to 16 hexadecimal digits)");
    return AcDbHandle(static_cast<Adesk::UInt64>(std::stoull(text, nullptr, 16)));
}

// The drawing's polyline of handle, its bulges kept as arcs.
PathPart PolylinePart(const std::string& handleText)
{
    AcDbObjectId id;
    acdbHostApplicationServices()->workingDatabase()->getAcDbObjectId(id, false, HandleOf(handleText, "--path"));
    const Opened<AcDbPolyline> polyline = OpenObject<AcDbPolyline>(id, AcDb::kForRead);
    if (!polyline)
        throw Failure(FailureKind::badInput, "--path " + handleText + ": not a polyline of the drawing");
    std::vector<PathVertex> vertices;
    for (unsigned int i = 0; i < polyline->numVerts(); ++i)
    {
        AcGePoint2d point;
        double bulge = 0.0;
        polyline->getPointAt(i, point);
        polyline->getBulgeAt(i, bulge);
        vertices.push_back({point.x, point.y, bulge});
    }
    PathPart part;
    part.pieces = PiecesThrough(vertices, polyline->isClosed());
    return part;
}

DrivePath PathOf(const DriveCommandOptions& options)
{
    if (options.path.empty() == options.pathJson.empty())
        throw Failure(FailureKind::badInput, "drive needs --path HANDLE (a polyline of the drawing) or --path-json FILE");
    if (options.pathJson.empty())
        return {{PolylinePart(options.path)}, std::nullopt, {}};
    return ParseDrivePath(ReadTextFile(options.pathJson), options.pathJson);
}

std::pair<double, int> SpeedOf(const DriveCommandOptions& options)
{
    double speed = 0.0;
    const std::optional<int> unit = SpeedUnitCode(options.speed.at(1));
    if (!ReadQuantity(options.speed.at(0), false, speed) || !unit)
        throw Failure(FailureKind::badInput, "--speed " + options.speed[0] + " " + options.speed[1] +
                                                 ": expected a speed above 0 and mph, km/h or knots");
    return {speed, *unit};
}

// lead is in drawing units, each metresPerUnit; X,Y are metres, as the
// vehicle's own dimensions are.
Guide GuideOf(const std::string& guide, const VehicleUnit& lead, double metresPerUnit)
{
    const double front = lead.wheelbase + lead.frontOverhang;
    if (guide == "front-axle")
        return {lead.wheelbase, 0.0};
    if (guide == "front-left" || guide == "front-right")
        return {front, (guide == "front-left" ? 0.5 : -0.5) * lead.width};
    double x = 0.0;
    double y = 0.0;
    char comma = 0;
    std::istringstream in(guide);
    if (!(in >> x >> comma >> y) || comma != ',' || !(in >> std::ws).eof() || !(x > 0.0))
        throw Failure(FailureKind::badInput, "--guide " + guide +
                                                 ": expected front-axle, front-left, front-right or X,Y with X above 0");
    return {x / metresPerUnit, y / metresPerUnit};
}

// The blocks that show the units: the references named, or each unit drawn
// as a definition of its own.
std::vector<PartDescription> UnitParts(const Vehicle& vehicle, const DriveCommandOptions& options,
                                       double metresPerUnit)
{
    std::vector<std::string> handles;
    std::istringstream in(options.blocks);
    for (std::string handle; std::getline(in, handle, ',');)
        handles.push_back(handle);
    if (!options.blocks.empty() && handles.size() != vehicle.units.size())
        throw Failure(FailureKind::badInput, "--blocks names " + std::to_string(handles.size()) + " block(s) for " +
                                                 std::to_string(vehicle.units.size()) + " unit(s)");
    std::vector<PartDescription> parts;
    for (std::size_t u = 0; u < vehicle.units.size(); ++u)
    {
        PartDescription part;
        part.where = "unit " + std::to_string(u + 1);
        part.text = cadhost::fromUtf8(vehicle.name + " " + vehicle.units[u].name);
        if (handles.empty())
            part.definition =
                DefineBlock(vehicle.name + " " + vehicle.units[u].name, DrawUnit(vehicle.units[u], metresPerUnit));
        else
            part.block = HandleOf(handles[u], "--blocks");
        parts.push_back(part);
    }
    return parts;
}

Outcome Drive(AcDbDatabase&, const DriveCommandOptions& options)
{
    const DrawingUnit unit = UnitOfDrawing(options.unit);
    const Vehicle vehicle = InDrawingUnits(LoadVehicle(options.vehicle, VehicleLibrary()), unit.metres);
    const DrivePath path = PathOf(options);
    const auto [speed, speedUnit] = SpeedOf(options);
    const double step = options.step > 0.0 ? options.step : kDefaultStep / unit.metres;
    const std::vector<DrivenPart> driven = DriveAlong(
        vehicle, path, {step, GuideOf(options.guide, vehicle.units[0], unit.metres), speed, speedUnit, unit.metres});
    const std::vector<PartDescription> parts = UnitParts(vehicle, options, unit.metres);
    StoreSimulation(DrivenSimulation(cadhost::fromUtf8(options.name), vehicle, driven, parts), options.file, "drive");
    for (const PartDescription& part : parts)
        if (!part.definition.isNull())
            EraseBlockDefinition(part.definition);
    const DriveChecks checks = CheckDrive(vehicle, path, driven, unit.metres);
    Outcome outcome{true, Report(DriveJson({options.file, options.name, unit.name}, vehicle, path, driven, checks),
                                 DriveText)};
    if (options.check && checks.Exceeded())
        outcome.status = ExitStatus::conflict;
    return outcome;
}
} // namespace

void AddDriveCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<DriveCommandOptions>();
    CLI::App& command = AddDrawingCommand(
        app, action, DrawingAccess::change, "drive",
        "Drive a vehicle along a path by the low-speed trailing law and store it as a simulation", options, Drive);
    command.add_option("--vehicle", options->vehicle, "a vehicle of the library (znsim vehicles) or a JSON description")
        ->required();
    command.add_option("--path", options->path, "the handle of a polyline of the drawing, its front axle's path");
    command.add_option("--path-json", options->pathJson, "a path described in JSON (docs/vehicles.md)");
    command.add_option("--name", options->name, "the simulation to store")->required();
    command.add_option("--speed", options->speed, "SPEED UNIT: the speed, in mph, km/h or knots (default 10 km/h)")
        ->expected(2);
    command.add_option("--step", options->step,
                       "the most the guide moves from one position to the next, in drawing units (default 0.25 m)")
        ->check(Quantity("a distance", false));
    command.add_option("--guide", options->guide,
                       "the point of the lead unit on the path: front-axle (default), front-left, front-right, or X,Y "
                       "metres from its rear axle");
    command.add_option("--blocks", options->blocks,
                       "H1,H2,...: block references that show the units, one a unit, instead of drawing them");
    AddUnitOption(command, options->unit);
    command.add_flag("--check", options->check, "end with status 6 when a limit of the vehicle is exceeded");
}
