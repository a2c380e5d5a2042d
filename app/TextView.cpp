#include "app/TextView.h"

#include "drawing/NumberText.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace
{
using nlohmann::json;
using Row = std::vector<std::string>;

std::string Point(const json& point)
{
    return "(" + NumberText(point[0]) + ", " + NumberText(point[1]) + ", " + NumberText(point[2]) + ")";
}

// A time that is not known is shown as "-".
std::string Time(const json& time)
{
    return time.is_null() ? "-" : time.get<std::string>();
}

std::string Quoted(const json& text)
{
    return "\"" + text.get<std::string>() + "\"";
}

// Characters, not bytes, so that names in any script line up.
std::size_t Width(const std::string& text)
{
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Table(const std::vector<Row>& rows)
{
    std::vector<std::size_t> widths;
    for (const Row& row : rows)
    {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], Width(row[column]));
    }
    std::string text;
    for (const Row& row : rows)
    {
        std::string line;
        for (std::size_t column = 0; column < row.size(); ++column)
            line += row[column] + std::string(widths[column] - Width(row[column]) + 2, ' ');
        line.erase(line.find_last_not_of(' ') + 1);
        text += line + "\n";
    }
    return text;
}

void PartLines(std::ostringstream& text, const json& part, const std::string& indent)
{
    text << indent << "part";
    if (!part["text"].get<std::string>().empty())
        text << " " << Quoted(part["text"]);
    text << ": block ";
    if (part["block"].is_null())
        text << "none";
    else
        text << part["block"].get<std::string>() << " ("
             << (part["definition"].is_null() ? "missing" : part["definition"].get<std::string>())
             << ")";
    text << ", offset " << Point(part["offset"]) << "\n";
    for (const json& subPart : part["parts"])
        PartLines(text, subPart, indent + "  ");
}

void PositionLines(std::ostringstream& text, const json& segment, const std::string& indent)
{
    const json& positions = segment["positions"];
    const std::size_t count = segment["position_count"];
    if (count == 0)
        return;
    if (positions.empty())
    {
        text << indent << Counted(count, "position") << " (--all shows every position)\n";
        return;
    }
    text << indent << "positions 1 to " << positions.size() << " of " << count << ":\n";
    for (std::size_t i = 0; i < positions.size(); ++i)
    {
        const json& position = positions[i];
        text << indent << "  " << i + 1 << ": pt " << Point(position["pt"]) << ", tpt "
             << Point(position["tpt"]) << ", heading " << NumberText(position["heading"]) << ", angles "
             << Point(position["angles"]) << "\n";
    }
    if (positions.size() < count)
        text << indent << "  ... " << Counted(count - positions.size(), "more position")
             << " (--all shows every position)\n";
}
} // namespace

// One line for each group of names that differ by letter case alone.
std::string CollisionLines(const json& groups)
{
    std::string text;
    for (const json& group : groups)
    {
        text += "Names that collide (they differ by letter case alone): ";
        for (const json& name : group)
            text += (&name == &group.front() ? "" : ", ") + Quoted(name);
        text += "; a name finds the entry spelled exactly so, else " + Quoted(group[0]) + ".\n";
    }
    return text;
}

std::string SimulationTableText(const json& list)
{
    const json& sims = list["simulations"];
    std::string text = list["file"].get<std::string>() + " holds " +
                       Counted(sims.size(), "simulation") + (sims.empty() ? ".\n" : ":\n");
    std::vector<Row> rows{
        {"NAME", "TYPE", "ID", "IN USE", "VERSION", "SECTIONS", "LENGTH", "CREATED", "EDITED"}};
    for (const json& sim : sims)
        rows.push_back({sim["name"], std::to_string(sim["type"].get<int>()),
                        std::to_string(sim["id"].get<unsigned long long>()),
                        sim["in_use"].get<bool>() ? "yes" : "no",
                        std::to_string(sim["version"].get<int>()),
                        std::to_string(sim["section_count"].get<std::size_t>()),
                        std::to_string(sim["length"].get<int>()), Time(sim["created"]),
                        Time(sim["edited"])});
    if (!sims.empty())
        text += Table(rows);
    for (const json& name : list["unreadable"])
        text += "The module cannot read the entry " + Quoted(name) + ".\n";
    return text + CollisionLines(list["colliding"]);
}

std::string SimulationTreeText(const json& tree)
{
    std::ostringstream text;
    text << "Simulation " << Quoted(tree["name"]) << "\n"
         << "  type " << tree["type"].get<int>() << ", id " << tree["id"].get<unsigned long long>()
         << ", version " << tree["version"].get<int>() << ", "
         << (tree["in_use"].get<bool>() ? "in use" : "not in use") << "\n"
         << "  length " << tree["length"].get<int>() << " in "
         << Counted(tree["sections"].size(), "section") << "; created "
         << Time(tree["created"]) << ", edited " << Time(tree["edited"])
         << "\n";
    std::size_t sectionNumber = 0;
    for (const json& section : tree["sections"])
    {
        text << "  section " << ++sectionNumber << ": " << NumberText(section["speed"]) << " "
             << section["unit"].get<std::string>() << " (" << NumberText(section["speed_mph"])
             << " mph), length " << section["length"].get<int>() << "\n";
        std::size_t segmentNumber = 0;
        for (const json& segment : section["segments"])
        {
            text << "    segment " << ++segmentNumber << ": length "
                 << segment["length"].get<int>() << "\n";
            if (!segment["part"].is_null())
                PartLines(text, segment["part"], "      ");
            PositionLines(text, segment, "      ");
        }
    }
    return text.str();
}

// Model space's entities as a table: handle, class, and the corners of
// the extent seen from above.
std::string EntitiesText(const json& entities)
{
    std::vector<Row> rows{{"HANDLE", "CLASS", "LAYER", "FROM", "TO"}};
    const auto corner = [](const json& point) {
        return NumberText(point[0].get<double>()) + " " + NumberText(point[1].get<double>());
    };
    for (const json& entity : entities)
    {
        const json& extent = entity["extent"];
        const json& layer = entity["layer"];
        rows.push_back({entity["handle"], entity["class"], layer.is_null() ? "-" : layer.get<std::string>(),
                        extent.is_null() ? "-" : corner(extent[0]),
                        extent.is_null() ? "-" : corner(extent[1])});
    }
    return "model space: " + Counted(entities.size(), "entity", "entities") + "\n" + Table(rows);
}

std::string DrawingInfoText(const json& info)
{
    std::ostringstream text;
    text << info["file"].get<std::string>() << ": " << info["bytes"].get<std::uintmax_t>()
         << " bytes, " << Counted(info["objects"], "object") << ", "
         << Counted(info["proxies"], "proxy", "proxies") << "\n";
    std::vector<Row> rows{{"CLASS", "OBJECTS"}};
    for (const json& entry : info["classes"])
        rows.push_back({entry["name"], std::to_string(entry["objects"].get<std::size_t>())});
    text << Table(rows);
    const json& sims = info["simulations"];
    text << "simulations: " << sims["stored"].get<std::size_t>() << " stored ("
         << sims["version_200"].get<std::size_t>() << " of version 200, "
         << sims["version_101"].get<std::size_t>() << " of version 101 still to upgrade, "
         << sims["unreadable"].get<std::size_t>() << " unreadable)\n"
         << CollisionLines(sims["colliding"])
         << "module: " << info["module"].get<std::string>() << "\n"
         << "legacy module: " << info["legacy_module"]["path"].get<std::string>()
         << (info["legacy_module"]["loaded"].get<bool>() ? " (loaded)" : " (not loaded)") << "\n";
    if (info.contains("entities"))
        text << EntitiesText(info["entities"]);
    return text.str();
}

std::string Counted(std::size_t count, const std::string& one, const std::string& many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many.empty() ? one + "s" : many);
}
