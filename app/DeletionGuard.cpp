#include "app/DeletionGuard.h"

#include "app/TextConversion.h"
#include "drawing/Names.h"

namespace
{
std::string Quoted(const std::wstring& name)
{
    return "\"" + Utf8(name) + "\"";
}

// "\"Tractor\" (block references 1F, 2A; simulation \"Quay shuttle\")"
std::string UsersText(const DefinitionUsers& users)
{
    std::string text;
    for (const AcDbHandle& reference : users.references)
        text += (text.empty() ? "" : ", ") + HandleText(reference);
    if (!text.empty())
        text = (users.references.size() == 1 ? "block reference " : "block references ") + text;
    std::string sims;
    for (const std::wstring& sim : users.simulations)
        sims += (sims.empty() ? "" : ", ") + Quoted(sim);
    if (!sims.empty())
        text += (text.empty() ? "" : "; ") +
                std::string(users.simulations.size() == 1 ? "simulation " : "simulations ") + sims;
    return Quoted(users.definition) + " (" + text + ")";
}

std::string StillUsedText(const DeletionReach& reach)
{
    std::string text;
    for (const DefinitionUsers& users : reach.stillUsed)
        text += (text.empty() ? "" : ", ") + UsersText(users);
    return text;
}
} // namespace

void AddForceFlag(CLI::App& command, bool& force)
{
    command.add_flag("--force", force,
                     "erase block definitions that other block references or simulations still "
                     "use (refused otherwise, exit status 4)");
}

void GuardDeletion(const std::string& file, const std::string& what, const DeletionReach& reach,
                   bool force)
{
    if (reach.stillUsed.empty() || force)
        return;
    throw Failure(FailureKind::refused,
                         file + ": " + what + " would erase block definitions still in use: " +
                             StillUsedText(reach) + "; --force does it anyway");
}

void ReportReach(Outcome& outcome, const DeletionReach& reach)
{
    nlohmann::json erased = nlohmann::json::array();
    for (const std::wstring& definition : reach.definitions)
        erased.push_back(Utf8(definition));
    nlohmann::json stillUsed = nlohmann::json::array();
    for (const DefinitionUsers& users : reach.stillUsed)
    {
        nlohmann::json references = nlohmann::json::array();
        for (const AcDbHandle& reference : users.references)
            references.push_back(HandleText(reference));
        nlohmann::json sims = nlohmann::json::array();
        for (const std::wstring& sim : users.simulations)
            sims.push_back(Utf8(sim));
        stillUsed.push_back({{"definition", Utf8(users.definition)},
                             {"references", references},
                             {"simulations", sims}});
    }
    outcome.data["erased_definitions"] = erased;
    outcome.data["still_used"] = stillUsed;
    if (!reach.stillUsed.empty())
        outcome.text += "Erased with it, although still in use (--force): " + StillUsedText(reach) + ".\n";
}
