#include "app/SimDescription.h"

#include "motion/SpeedUnits.h"
#include "cadhost/Utf8Text.h"
#include "drawing/Angles.h"
#include "drawing/JsonReader.h"
#include "drawing/TextFile.h"

#include <array>

namespace
{
using nlohmann::json;

// The module refuses to read back part trees deeper than this from a
// drawing, so deeper ones are refused before they are built.
constexpr int kMaxPartDepth = 1000;

PmPosition200 PlacedAt(dpoint3d pt, dpoint3d tpt, CZnTransform placement)
{
    placement.SetTranslation(CZnVector(pt.x, pt.y, pt.z));
    return {pt, tpt, placement};
}

// Walks a parsed description and fails at the first field that is wrong,
// naming it by its path ("sections[1].segments[0].part.block").
class DescriptionReader : JsonReader
{
public:
    using JsonReader::JsonReader;

    SimDescription Simulation(const json& root) const
    {
        const json& object = Object(root, "", {"name", "id", "type", "sections"});
        SimDescription sim;
        sim.name = Wide(Required(object, "", "name"), "name");
        if (sim.name.empty())
            Fail("name", "a simulation needs a name");
        const json& id = Required(object, "", "id");
        Expect(id.is_number_unsigned(), id, "id", "a whole number from 0 to 2^64 - 1");
        sim.id = id.get<unsigned __int64>();
        sim.type = Integer(Required(object, "", "type"), "type");
        const json& sections = Array(Required(object, "", "sections"), "sections");
        for (std::size_t i = 0; i < sections.size(); ++i)
            sim.sections.push_back(Section(sections[i], Element("sections", i)));
        return sim;
    }

private:
    std::wstring Wide(const json& value, const std::string& where) const
    {
        return cadhost::fromUtf8(Text(value, where));
    }

    dpoint3d Point(const json& value, const std::string& where) const
    {
        const std::array<double, 3> xyz = Triple(value, where);
        return {xyz[0], xyz[1], xyz[2]};
    }

    AcDbHandle Handle(const json& value, const std::string& where) const
    {
        Expect(value.is_string(), value, where, "a handle as a string of hexadecimal digits");
        const std::string digits = value.get<std::string>();
        if (digits.empty() || digits.size() > 16 ||
            digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            Fail(where, "\"" + digits + "\" is not a handle (1 to 16 hexadecimal digits)");
        return AcDbHandle(static_cast<Adesk::UInt64>(std::stoull(digits, nullptr, 16)));
    }

    SectionDescription Section(const json& value, const std::string& where) const
    {
        const json& object = Object(value, where, {"speed", "unit", "segments"});
        SectionDescription section;
        const std::string speedPath = Member(where, "speed");
        section.speed = Number(Required(object, where, "speed"), speedPath);
        if (section.speed < 0.0)
            Fail(speedPath, "a speed cannot be negative");
        const std::string unitPath = Member(where, "unit");
        const json& unit = Required(object, where, "unit");
        Expect(unit.is_string(), unit, unitPath, "\"mph\", \"km/h\" or \"knots\"");
        const auto code = SpeedUnitCode(unit.get<std::string>());
        if (!code)
            Fail(unitPath, "\"" + unit.get<std::string>() + "\" is not \"mph\", \"km/h\" or \"knots\"");
        section.unit = *code;
        const std::string segmentsPath = Member(where, "segments");
        const json& segments = Array(Required(object, where, "segments"), segmentsPath);
        for (std::size_t i = 0; i < segments.size(); ++i)
            section.segments.push_back(Segment(segments[i], Element(segmentsPath, i)));
        return section;
    }

    SegmentDescription Segment(const json& value, const std::string& where) const
    {
        const json& object = Object(value, where, {"part", "positions"});
        SegmentDescription segment;
        segment.part = Part(Required(object, where, "part"), Member(where, "part"), 1);
        const std::string positionsPath = Member(where, "positions");
        const json& positions = Array(Required(object, where, "positions"), positionsPath);
        for (std::size_t i = 0; i < positions.size(); ++i)
            segment.positions.push_back(Position(positions[i], Element(positionsPath, i)));
        return segment;
    }

    PartDescription Part(const json& value, const std::string& where, int depth) const
    {
        if (depth > kMaxPartDepth)
            Fail(where, "parts nested deeper than " + std::to_string(kMaxPartDepth) + " levels");
        const json& object = Object(value, where, {"block", "offset", "text", "parts"});
        PartDescription part;
        part.where = where;
        part.block = Handle(Required(object, where, "block"), Member(where, "block"));
        if (const json* offset = Optional(object, "offset"))
            part.offset = Point(*offset, Member(where, "offset"));
        if (const json* text = Optional(object, "text"))
            part.text = Wide(*text, Member(where, "text"));
        if (const json* parts = Optional(object, "parts"))
        {
            const std::string partsPath = Member(where, "parts");
            Array(*parts, partsPath);
            for (std::size_t i = 0; i < parts->size(); ++i)
                part.parts.push_back(Part((*parts)[i], Element(partsPath, i), depth + 1));
        }
        return part;
    }

    PmPosition200 Position(const json& value, const std::string& where) const
    {
        const json& object = Object(value, where, {"pt", "tpt", "heading", "angles"});
        const dpoint3d pt = Point(Required(object, where, "pt"), Member(where, "pt"));
        const json* tpt = Optional(object, "tpt");
        const dpoint3d second = tpt != nullptr ? Point(*tpt, Member(where, "tpt")) : pt;
        const json* heading = Optional(object, "heading");
        const json* angles = Optional(object, "angles");
        if ((heading == nullptr) == (angles == nullptr))
            Fail(where, "give either \"heading\" or \"angles\"");
        if (heading != nullptr)
            return HeadingPosition(pt, second, Number(*heading, Member(where, "heading")));
        const dpoint3d degrees = Point(*angles, Member(where, "angles"));
        double radians[3] = {Radians(degrees.x), Radians(degrees.y), Radians(degrees.z)};
        CZnTransform placement;
        placement.SetEulerAngles(radians);
        return PlacedAt(pt, second, placement);
    }

};

} // namespace

SimDescription ReadSimDescription(const std::string& file)
{
    return ParseSimDescription(ReadTextFile(file), file);
}

SimDescription ParseSimDescription(const std::string& text, const std::string& file)
{
    return DescriptionReader(file).Simulation(ParseJson(text, file));
}

PmPosition200 HeadingPosition(dpoint3d pt, dpoint3d tpt, double headingDegrees)
{
    return PlacedAt(pt, tpt, CZnTransform(CZnVector(0.0, 0.0, 1.0), Radians(headingDegrees)));
}
