#include "view/MeetingLayer.h"

#include "drawing/NumberText.h"
#include "motion/PackedMotion.h"

#include <algorithm>

namespace
{
using nlohmann::json;

// Moments as the page's clock shows them.
std::string Seconds(double value)
{
    return DecimalText(value, 2) + " s";
}

const PartShape& ShapeOf(const std::vector<ViewedSimulation>& sims, const PartKey& key)
{
    return sims.at(key.simulation).motion.sections.at(key.section).segments.at(key.segment).parts.at(key.part);
}

// Which drawn part the page must flag: the part's place among those its
// segment packs, which the page draws in that order.
json PartJson(const std::vector<ViewedSimulation>& sims, const PartKey& key)
{
    const SegmentMotion& segment = sims.at(key.simulation).motion.sections.at(key.section).segments.at(key.segment);
    const std::optional<std::size_t> packed = PackedPartIndex(segment, key.part);
    return {{"sim", key.simulation},
            {"section", key.section},
            {"segment", key.segment},
            {"part", packed ? json(*packed) : json()}};
}

// "East: East's car", or by place when the part has no text.
std::string PartText(const std::vector<ViewedSimulation>& sims, const PartKey& key)
{
    const std::string& text = ShapeOf(sims, key).text;
    return sims.at(key.simulation).name + ": " +
           (text.empty() ? "section " + std::to_string(key.section + 1) + " segment " +
                               std::to_string(key.segment + 1) + " part " + std::to_string(key.part + 1)
                         : text);
}

// The drawn parts a meeting flags: each of its two in every section it
// plays through while they meet.
json PartsJson(const std::vector<ViewedSimulation>& sims, const Meeting& meeting)
{
    json parts = json::array();
    for (auto [key, last] : {std::pair{meeting.a, meeting.last.a.section}, {meeting.b, meeting.last.b.section}})
        for (; key.section <= last; ++key.section)
            parts.push_back(PartJson(sims, key));
    return parts;
}

json MeetingJson(const std::vector<ViewedSimulation>& sims, const Meeting& meeting, const std::string& unitName)
{
    return {{"parts", PartsJson(sims, meeting)},
            {"jackknife", meeting.hitched},
            {"first", meeting.first.time},
            {"last", meeting.last.time},
            {"closest", meeting.closest.time},
            {"distance", meeting.distance},
            {"points", {meeting.ax, meeting.ay, meeting.bx, meeting.by}},
            {"title", std::string(meeting.hitched ? "jackknife: " : "") + PartText(sims, meeting.a) + " and " +
                          PartText(sims, meeting.b)},
            {"when", Seconds(meeting.first.time) + " to " + Seconds(meeting.last.time) + ", closest " +
                         NumberText(meeting.distance) + " " + unitName + " at " + Seconds(meeting.closest.time)}};
}

std::string ChoiceName(std::size_t meetings)
{
    return "Together: " + (meetings == 0   ? std::string("no meetings")
                           : meetings == 1 ? std::string("1 meeting")
                                           : std::to_string(meetings) + " meetings");
}
} // namespace

json TogetherJson(const std::vector<ViewedSimulation>& sims, const TogetherView& together, const std::string& unitName)
{
    double duration = 0.0;
    for (std::size_t i = 0; i < sims.size(); ++i)
        duration = std::max(duration, together.starts.at(i) + sims[i].motion.duration);
    json meetings = json::array();
    for (const Meeting& meeting : together.meetings.meetings)
        meetings.push_back(MeetingJson(sims, meeting, unitName));
    return {{"name", ChoiceName(together.meetings.meetings.size())},
            {"heading", together.meetings.clearance > 0.0 ? "Parts within " + NumberText(together.meetings.clearance) +
                                                                  " " + unitName + " of each other"
                                                            : std::string("Parts that touch")},
            {"starts", together.starts},
            {"duration", duration},
            {"clearance", together.meetings.clearance},
            {"meetings", meetings}};
}
