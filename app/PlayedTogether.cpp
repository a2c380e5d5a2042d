#include "app/PlayedTogether.h"

#include "app/DrawingCommand.h"
#include "app/HeldSimulation.h"
#include "app/QuantityOption.h"
#include "app/TextConversion.h"

#include <algorithm>
#include <set>

namespace
{
// "NAME=SECONDS", split at the last '=' (a name may hold one).
std::pair<std::string, double> StartOf(const std::string& text)
{
    const std::size_t equals = text.rfind('=');
    double seconds = 0.0;
    if (equals == std::string::npos || !ReadQuantity(text.substr(equals + 1), true, seconds))
        throw Failure(FailureKind::badInput,
                      "--start " + text + ": expected SIMULATION=SECONDS, the seconds a number, 0 or more");
    return {text.substr(0, equals), seconds};
}
} // namespace

CLI::Option* AddStartOption(CLI::App& command, std::vector<std::string>& starts)
{
    return command.add_option("--start", starts,
                              "SIMULATION=SECONDS: when that simulation starts on the shared clock (default 0)");
}

std::vector<double> StartsOf(const std::vector<std::string>& names, const std::vector<std::string>& starts)
{
    std::vector<double> seconds(names.size(), 0.0);
    for (const std::string& text : starts)
    {
        const auto [name, start] = StartOf(text);
        const auto named = std::find(names.begin(), names.end(), name);
        if (named == names.end())
            throw Failure(FailureKind::badInput,
                          "--start " + text + ": \"" + name + "\" is not among the simulations named");
        seconds[static_cast<std::size_t>(named - names.begin())] = start;
    }
    return seconds;
}

void ForEachNamedSimulation(const std::string& file, const std::vector<std::string>& names,
                            const std::function<void(const CPmSim200&)>& use)
{
    std::set<std::string> seen;
    for (const std::string& name : names)
    {
        if (!seen.insert(name).second)
            throw Failure(FailureKind::badInput, "\"" + name + "\" is named twice");
        HeldSimulation sim(CPmDbxFactory200::LoadSim(HostText(name)));
        if (!sim)
            throw SimulationNotFound(file, name);
        use(*sim);
    }
}

std::vector<PlayedSimulation> PlayedTogether(const std::string& file, const std::vector<std::string>& names,
                                             const std::vector<std::string>& starts, double metresPerUnit)
{
    const std::vector<double> seconds = StartsOf(names, starts);
    std::vector<PlayedSimulation> played;
    ForEachNamedSimulation(file, names, [&](const CPmSim200& sim) {
        const std::size_t i = played.size();
        played.push_back({names[i], MotionOf(sim, metresPerUnit), seconds[i]});
    });
    return played;
}

MeetingReport MeetingsIn(const std::string& file, const std::vector<PlayedSimulation>& played,
                         const MeetingOptions& options)
{
    try
    {
        return FindMeetings(played, options);
    }
    catch (const Failure& failure)
    {
        throw failure.In(file);
    }
}

void AddClearanceAndStarts(CLI::App& command, const CLI::Option* envelope, CLI::Option* meet,
                           const std::string& envelopeUse, double& clearance, std::vector<std::string>& starts)
{
    AddStartOption(command, starts)->needs(meet);
    const CLI::Option* option = command
                                    .add_option("--clearance", clearance,
                                                "with --envelope: " + envelopeUse +
                                                    "; with --meet: the distance parts must keep (default 0: touching)")
                                    ->check(Quantity("a distance", true));
    // Either will do, which CLI11's needs cannot say.
    command.parse_complete_callback([option, envelope, meet] {
        if (option->count() > 0 && envelope->count() == 0 && meet->count() == 0)
            throw CLI::RequiresError(option->get_name(), envelope->get_name() + " or " + meet->get_name());
    });
}
