#include "app/SweepText.h"

#include "drawing/NumberText.h"

namespace
{
using nlohmann::json;

std::string Envelope(const std::string& what, const json& envelope)
{
    if (envelope["box"].is_null())
        return "    " + what + ": nothing\n";
    const json& box = envelope["box"];
    return "    " + what + ": area " + NumberText(envelope["area"]) + ", perimeter " +
           NumberText(envelope["perimeter"]) + ", box (" + NumberText(box[0]) + ", " + NumberText(box[1]) +
           ") to (" + NumberText(box[2]) + ", " + NumberText(box[3]) + ")\n";
}

// The envelope, and with a clearance the grown one too.
std::string Envelopes(const json& envelope, const json& grown)
{
    return Envelope("envelope", envelope) + (grown.is_null() ? "" : Envelope("clearance", grown));
}

std::string Whole(const json& value)
{
    return std::to_string(value.get<std::size_t>());
}

std::string Point(const json& point)
{
    const std::string text = "section " + Whole(point["section"]) + " segment " + Whole(point["segment"]) +
                             " position " + Whole(point["position"]);
    const double fraction = point["fraction"];
    return fraction > 0.0 ? text + " (+" + NumberText(fraction) + " of the way on)" : text;
}

std::string Conflicts(const json& conflicts)
{
    std::string text =
        conflicts.empty() ? "  no conflicts\n" : "  " + std::to_string(conflicts.size()) + " conflict(s)\n";
    for (const json& conflict : conflicts)
    {
        const std::string block =
            conflict["block"].is_null() ? "" : " \"" + conflict["block"].get<std::string>() + "\"";
        text += "    " + conflict["handle"].get<std::string>() + " " + conflict["class"].get<std::string>() +
                block + " on layer \"" + conflict["layer"].get<std::string>() + "\": first at " +
                Point(conflict["first"]) + ", last at " + Point(conflict["last"]) + "\n";
    }
    return text;
}

std::string DrawnPaths(const json& paths)
{
    std::string text;
    for (const json& path : paths)
        text += "  passed over as the path driven along: " + path["handle"].get<std::string>() + " " +
                path["class"].get<std::string>() + " on layer \"" + path["layer"].get<std::string>() + "\"\n";
    return text;
}
} // namespace

std::string SweepText(const json& sweep)
{
    const std::string unit = sweep["unit"];
    std::string text;
    for (const json& warning : sweep["warnings"])
        text += "Warning: " + warning.get<std::string>() + "\n";
    text += std::string(sweep["swept"] == "wheels" ? "Sweep of the wheels of \"" : "Sweep of \"") +
            sweep["simulation"].get<std::string>() + "\" in " + sweep["file"].get<std::string>() + " (lengths in " +
            unit + "): tolerance " + NumberText(sweep["tolerance"]) + ", clearance " +
            NumberText(sweep["clearance"]) + "\n";
    for (const json& segment : sweep["segments"])
        text += "  section " + Whole(segment["section"]) + ", segment " + Whole(segment["segment"]) + " (" +
                Whole(segment["samples"]) + " samples)\n" +
                Envelopes(segment["envelope"], segment["clearance"]);
    return text + "  all segments\n" + Envelopes(sweep["envelope"], sweep["clearance_envelope"]) +
           Conflicts(sweep["conflicts"]) + DrawnPaths(sweep["drawn_paths"]);
}
