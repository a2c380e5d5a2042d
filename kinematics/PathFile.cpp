#include "kinematics/PathFile.h"

#include "drawing/Angles.h"
#include "drawing/JsonReader.h"
#include "motion/SpeedUnits.h"

namespace
{
using nlohmann::json;

class PathReader : JsonReader
{
public:
    using JsonReader::JsonReader;

    DrivePath Read(const json& root) const
    {
        const json& object = Object(root, "", {"parts", "heading", "articulation"});
        DrivePath path;
        const json& parts = Array(Required(object, "", "parts"), "parts");
        if (parts.empty())
            Fail("parts", "a path needs at least one part");
        for (std::size_t i = 0; i < parts.size(); ++i)
            path.parts.push_back(Part(parts[i], Element("parts", i)));
        if (const json* heading = Optional(object, "heading"))
            path.heading = Radians(Number(*heading, "heading"));
        if (const json* articulation = Optional(object, "articulation"))
            for (std::size_t i = 0; i < Array(*articulation, "articulation").size(); ++i)
                path.articulation.push_back(Radians(Number((*articulation)[i], Element("articulation", i))));
        return path;
    }

private:
    PathPart Part(const json& value, const std::string& where) const
    {
        const json& object = Object(value, where, {"points", "closed", "reverse", "speed", "unit"});
        const std::string pointsPath = Member(where, "points");
        const json& points = Array(Required(object, where, "points"), pointsPath);
        std::vector<PathVertex> vertices;
        for (std::size_t i = 0; i < points.size(); ++i)
            vertices.push_back(Vertex(points[i], Element(pointsPath, i)));
        PathPart part;
        part.pieces = PiecesThrough(vertices, Flag(object, where, "closed"));
        if (part.pieces.empty())
            Fail(pointsPath, "a path part of no length");
        part.reverse = Flag(object, where, "reverse");
        if (const json* speed = Optional(object, "speed"))
        {
            part.speed = Number(*speed, Member(where, "speed"));
            if (!(*part.speed > 0.0))
                Fail(Member(where, "speed"), "a speed above 0");
            const std::string unitPath = Member(where, "unit");
            const std::string unit = Text(Required(object, where, "unit"), unitPath);
            const auto code = SpeedUnitCode(unit);
            if (!code)
                Fail(unitPath, "\"" + unit + "\" is not \"mph\", \"km/h\" or \"knots\"");
            part.speedUnit = *code;
        }
        return part;
    }

    PathVertex Vertex(const json& value, const std::string& where) const
    {
        Expect(value.is_array() && (value.size() == 2 || value.size() == 3), value, where,
               "[x, y] or [x, y, bulge]");
        return {Number(value[0], Element(where, 0)), Number(value[1], Element(where, 1)),
                value.size() == 3 ? Number(value[2], Element(where, 2)) : 0.0};
    }

    bool Flag(const json& object, const std::string& where, const char* key) const
    {
        const json* flag = Optional(object, key);
        if (flag == nullptr)
            return false;
        Expect(flag->is_boolean(), *flag, Member(where, key), "true or false");
        return flag->get<bool>();
    }
};
} // namespace

DrivePath ParseDrivePath(const std::string& text, const std::string& document)
{
    return PathReader(document).Read(ParseJson(text, document));
}
