#include "app/DeletionGuard.h"

#include "app/TextConversion.h"
#include "drawing/Failure.h"
#include "drawing/Names.h"

namespace
{
using nlohmann::json;

std::string Quoted(const json& name)
{
    return "\"" + name.get<std::string>() + "\"";
}

// "a, b, c", each item as text makes it.
template <class Text>
std::string Listed(const json& items, Text text)
{
    std::string list;
    for (const json& item : items)
        list += (list.empty() ? "" : ", ") + text(item);
    return list;
}

// "\"Tractor\" (block references 27, 32; simulation \"Quay shuttle\")"
std::string UsersText(const json& users)
{
    const json& references = users["references"];
    const json& sims = users["simulations"];
    std::string text;
    if (!references.empty())
        text = (references.size() == 1 ? "block reference " : "block references ") +
               Listed(references, [](const json& handle) { return handle.get<std::string>(); });
    if (!sims.empty())
        text += (text.empty() ? "" : "; ") + std::string(sims.size() == 1 ? "simulation " : "simulations ") +
                Listed(sims, Quoted);
    return Quoted(users["definition"]) + " (" + text + ")";
}

json StillUsed(const DeletionReach& reach)
{
    json stillUsed = json::array();
    for (const DefinitionUsers& users : reach.stillUsed)
    {
        json references = json::array();
        for (const AcDbHandle& reference : users.references)
            references.push_back(HandleText(reference));
        json sims = json::array();
        for (const std::wstring& sim : users.simulations)
            sims.push_back(Utf8(sim));
        stillUsed.push_back(
            {{"definition", Utf8(users.definition)}, {"references", references}, {"simulations", sims}});
    }
    return stillUsed;
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
    throw Failure(FailureKind::refused, file + ": " + what + " would erase block definitions still in use: " +
                                            Listed(StillUsed(reach), UsersText) + "; --force does it anyway");
}

void ReportReach(json& data, const DeletionReach& reach)
{
    json erased = json::array();
    for (const std::wstring& definition : reach.definitions)
        erased.push_back(Utf8(definition));
    data["erased_definitions"] = erased;
    data["still_used"] = StillUsed(reach);
}

std::string ReachText(const json& data)
{
    const json& stillUsed = data["still_used"];
    if (stillUsed.empty())
        return "";
    return "Erased with it, although still in use (--force): " + Listed(stillUsed, UsersText) + ".\n";
}
