#include "app/MeetText.h"

#include "app/TextView.h"
#include "drawing/NumberText.h"

namespace
{
using nlohmann::json;

std::string Whole(const json& value)
{
    return std::to_string(value.get<std::size_t>());
}

std::string Quoted(const json& text)
{
    return "\"" + text.get<std::string>() + "\"";
}

std::string Seconds(const json& value)
{
    return NumberText(value) + " s";
}

std::string Part(const json& part)
{
    std::string text = Quoted(part["simulation"]) + " section " + Whole(part["section"]) + " segment " +
                       Whole(part["segment"]) + " part " + Whole(part["part"]);
    if (!part["text"].get<std::string>().empty())
        text += " " + Quoted(part["text"]);
    return part["block"].is_null() ? text : text + " (block " + part["block"].get<std::string>() + ")";
}

// The section is named only once the part has played on into another
// than the one the meeting names it in.
std::string Place(const json& place, const json& part)
{
    const double fraction = place["fraction"];
    return (place["section"] == part["section"] ? "" : "section " + Whole(place["section"]) + " ") + "position " +
           Whole(place["position"]) + (fraction > 0.0 ? " +" + NumberText(fraction) : "");
}

std::string Moment(const json& moment, const json& meeting)
{
    return Seconds(moment["time"]) + " (" + Place(moment["a"], meeting["a"]) + "; " +
           Place(moment["b"], meeting["b"]) + ")";
}

std::string Meeting(const json& meeting)
{
    const json& closest = meeting["closest"];
    return "  " + std::string(meeting["jackknife"].get<bool>() ? "jackknife: " : "") + Part(meeting["a"]) +
           "\n    and " + Part(meeting["b"]) + "\n    from " + Moment(meeting["first"], meeting) + " to " +
           Moment(meeting["last"], meeting) + ", closest " + NumberText(closest["distance"]) + " at " +
           Seconds(closest["time"]) + "\n";
}

std::string Simulations(const json& simulations)
{
    std::string text;
    for (const json& sim : simulations)
    {
        text += (text.empty() ? "" : ", ") + Quoted(sim["name"]);
        if (sim["start"].get<double>() > 0.0)
            text += " from " + Seconds(sim["start"]);
    }
    return text;
}
} // namespace

std::string MeetText(const json& meet)
{
    std::string text = "Meetings of " + Simulations(meet["simulations"]) + " in " +
                       meet["file"].get<std::string>() + " (lengths in " + meet["unit"].get<std::string>() +
                       "): clearance " + NumberText(meet["clearance"]) +
                       ", tolerance " + NumberText(meet["tolerance"]) + "\n";
    const json& meetings = meet["meetings"];
    text += meetings.empty() ? "  no meetings\n" : "  " + Counted(meetings.size(), "meeting") + "\n";
    for (const json& meeting : meetings)
        text += Meeting(meeting);
    return text;
}
