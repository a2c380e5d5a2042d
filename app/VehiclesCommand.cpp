// znsim vehicles: the library of design vehicles, or one vehicle's
// dimensions and what follows from them in the steady turn at full lock.
#include "app/Commands.h"
#include "app/HostSession.h"
#include "app/VehicleText.h"
#include "kinematics/VehicleFile.h"

namespace
{
struct VehiclesOptions
{
    std::string name;
    bool json = false;
};

int Vehicles(const VehiclesOptions& options)
{
    if (options.name.empty())
    {
        std::vector<Vehicle> vehicles;
        for (const std::filesystem::path& file : LibraryVehicles(VehicleLibrary()))
            vehicles.push_back(LoadVehicle(file.string(), VehicleLibrary()));
        Print(Report(LibraryJson(vehicles), LibraryText), options.json);
    }
    else
        Print(Report(VehicleJson(LoadVehicle(options.name, VehicleLibrary())), VehicleText), options.json);
    return static_cast<int>(ExitStatus::ok);
}
} // namespace

void AddVehiclesCommand(CLI::App& app, Action& action)
{
    auto options = std::make_shared<VehiclesOptions>();
    CLI::App& command = *app.add_subcommand(
        "vehicles", "List the library of design vehicles, or show one with its turning figures at full lock");
    command.add_option("NAME", options->name, "a vehicle of the library, or a JSON description of one");
    command.add_flag("--json", options->json, "print the report as JSON");
    WhenChosen(command, action, [options] { return Vehicles(*options); });
}
