#include "app/SimDescription.h"

#include "app/Angles.h"
#include "app/ExitStatus.h"
#include "app/SpeedUnits.h"
#include "cadhost/Utf8Text.h"

#include <nlohmann/json.hpp>

#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>

namespace
{
using nlohmann::json;

// The module refuses to read back part trees deeper than this from a
// drawing, so deeper ones are refused before they are built.
constexpr int kMaxPartDepth = 1000;

std::string MemberPath(const std::string& where, const char* key)
{
    return where.empty() ? key : where + "." + key;
}

std::string ElementPath(const std::string& where, std::size_t index)
{
    return where + "[" + std::to_string(index) + "]";
}

PmPosition200 PlacedAt(dpoint3d pt, dpoint3d tpt, CZnTransform placement)
{
    placement.SetTranslation(CZnVector(pt.x, pt.y, pt.z));
    return {pt, tpt, placement};
}

// Walks a parsed description and fails at the first field that is wrong,
// naming it by its path ("sections[1].segments[0].part.block").
class DescriptionReader
{
public:
    explicit DescriptionReader(std::string file) : m_file(std::move(file)) {}

    SimDescription Simulation(const json& root) const
    {
        const json& object = Object(root, "", {"name", "id", "type", "sections"});
        SimDescription sim;
        sim.name = Text(Required(object, "", "name"), "name");
        if (sim.name.empty())
            Fail("name", "a simulation needs a name");
        const json& id = Required(object, "", "id");
        Expect(id.is_number_unsigned(), id, "id", "a whole number from 0 to 2^64 - 1");
        sim.id = id.get<unsigned __int64>();
        sim.type = Integer(Required(object, "", "type"), "type");
        const json& sections = Array(Required(object, "", "sections"), "sections");
        for (std::size_t i = 0; i < sections.size(); ++i)
            sim.sections.push_back(Section(sections[i], ElementPath("sections", i)));
        return sim;
    }

private:
    // An empty path stands for the description as a whole.
    [[noreturn]] void Fail(const std::string& where, const std::string& what) const
    {
        const std::string field = where.empty() ? "" : where + ": ";
        throw CommandFailure(ExitStatus::badInput, m_file + ": " + field + what);
    }

    void Expect(bool good, const json& value, const std::string& where, const char* expected) const
    {
        if (!good)
            Fail(where, std::string("expected ") + expected + ", got " + value.type_name());
    }

    // An object holding no keys but those given: a misspelt optional field
    // would otherwise pass unnoticed.
    const json& Object(const json& value, const std::string& where,
                       std::initializer_list<const char*> keys) const
    {
        Expect(value.is_object(), value, where, "an object");
        for (const auto& member : value.items())
        {
            bool known = false;
            for (const char* key : keys)
                known = known || member.key() == key;
            if (!known)
                Fail(MemberPath(where, member.key().c_str()), "not a field of this description");
        }
        return value;
    }

    const json& Required(const json& object, const std::string& where, const char* key) const
    {
        const auto found = object.find(key);
        if (found == object.end())
            Fail(MemberPath(where, key), "missing");
        return *found;
    }

    static const json* Optional(const json& object, const char* key)
    {
        const auto found = object.find(key);
        return found != object.end() ? &*found : nullptr;
    }

    const json& Array(const json& value, const std::string& where) const
    {
        Expect(value.is_array(), value, where, "an array");
        return value;
    }

    double Number(const json& value, const std::string& where) const
    {
        Expect(value.is_number(), value, where, "a number");
        const double number = value.get<double>();
        if (!std::isfinite(number))
            Fail(where, "not a finite number");
        return number;
    }

    int Integer(const json& value, const std::string& where) const
    {
        Expect(value.is_number_integer(), value, where, "a whole number");
        const bool fits = value.is_number_unsigned()
                              ? value.get<unsigned long long>() <= INT_MAX
                              : value.get<long long>() >= INT_MIN;
        if (!fits)
            Fail(where, "out of the range of a 32-bit integer");
        return value.get<int>();
    }

    std::wstring Text(const json& value, const std::string& where) const
    {
        Expect(value.is_string(), value, where, "a string");
        return cadhost::fromUtf8(value.get<std::string>());
    }

    dpoint3d Point(const json& value, const std::string& where) const
    {
        Expect(value.is_array(), value, where, "an array of three numbers");
        // A fourth number dropped, or a missing third made 0, would pass
        // unnoticed.
        if (value.size() != 3)
            Fail(where, "expected three numbers, got " + std::to_string(value.size()));
        return {Number(value[0], ElementPath(where, 0)), Number(value[1], ElementPath(where, 1)),
                Number(value[2], ElementPath(where, 2))};
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
        const std::string speedPath = MemberPath(where, "speed");
        section.speed = Number(Required(object, where, "speed"), speedPath);
        if (section.speed < 0.0)
            Fail(speedPath, "a speed cannot be negative");
        const std::string unitPath = MemberPath(where, "unit");
        const json& unit = Required(object, where, "unit");
        Expect(unit.is_string(), unit, unitPath, "\"mph\", \"km/h\" or \"knots\"");
        const auto code = SpeedUnitCode(unit.get<std::string>());
        if (!code)
            Fail(unitPath, "\"" + unit.get<std::string>() + "\" is not \"mph\", \"km/h\" or \"knots\"");
        section.unit = *code;
        const std::string segmentsPath = MemberPath(where, "segments");
        const json& segments = Array(Required(object, where, "segments"), segmentsPath);
        for (std::size_t i = 0; i < segments.size(); ++i)
            section.segments.push_back(Segment(segments[i], ElementPath(segmentsPath, i)));
        return section;
    }

    SegmentDescription Segment(const json& value, const std::string& where) const
    {
        const json& object = Object(value, where, {"part", "positions"});
        SegmentDescription segment;
        segment.part = Part(Required(object, where, "part"), MemberPath(where, "part"), 1);
        const std::string positionsPath = MemberPath(where, "positions");
        const json& positions = Array(Required(object, where, "positions"), positionsPath);
        for (std::size_t i = 0; i < positions.size(); ++i)
            segment.positions.push_back(Position(positions[i], ElementPath(positionsPath, i)));
        return segment;
    }

    PartDescription Part(const json& value, const std::string& where, int depth) const
    {
        if (depth > kMaxPartDepth)
            Fail(where, "parts nested deeper than " + std::to_string(kMaxPartDepth) + " levels");
        const json& object = Object(value, where, {"block", "offset", "text", "parts"});
        PartDescription part;
        part.where = where;
        part.block = Handle(Required(object, where, "block"), MemberPath(where, "block"));
        if (const json* offset = Optional(object, "offset"))
            part.offset = Point(*offset, MemberPath(where, "offset"));
        if (const json* text = Optional(object, "text"))
            part.text = Text(*text, MemberPath(where, "text"));
        if (const json* parts = Optional(object, "parts"))
        {
            const std::string partsPath = MemberPath(where, "parts");
            Array(*parts, partsPath);
            for (std::size_t i = 0; i < parts->size(); ++i)
                part.parts.push_back(Part((*parts)[i], ElementPath(partsPath, i), depth + 1));
        }
        return part;
    }

    PmPosition200 Position(const json& value, const std::string& where) const
    {
        const json& object = Object(value, where, {"pt", "tpt", "heading", "angles"});
        const dpoint3d pt = Point(Required(object, where, "pt"), MemberPath(where, "pt"));
        const json* tpt = Optional(object, "tpt");
        const dpoint3d second = tpt != nullptr ? Point(*tpt, MemberPath(where, "tpt")) : pt;
        const json* heading = Optional(object, "heading");
        const json* angles = Optional(object, "angles");
        if ((heading == nullptr) == (angles == nullptr))
            Fail(where, "give either \"heading\" or \"angles\"");
        if (heading != nullptr)
            return HeadingPosition(pt, second, Number(*heading, MemberPath(where, "heading")));
        const dpoint3d degrees = Point(*angles, MemberPath(where, "angles"));
        double radians[3] = {Radians(degrees.x), Radians(degrees.y), Radians(degrees.z)};
        CZnTransform placement;
        placement.SetEulerAngles(radians);
        return PlacedAt(pt, second, placement);
    }

    std::string m_file;
};

std::string FileText(const std::string& file)
{
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::exists(file, error))
        throw CommandFailure(ExitStatus::ioFailure, file + ": no such file");
    if (!fs::is_regular_file(file, error))
        throw CommandFailure(ExitStatus::ioFailure, file + ": not a regular file");
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in || !text)
        throw CommandFailure(ExitStatus::ioFailure, file + ": cannot be read");
    return text.str();
}

// The parser's own message without its exception tag ("[json.exception...] ").
std::string ParserMessage(const nlohmann::json::exception& error)
{
    const std::string message = error.what();
    const std::size_t tagEnd = message.find("] ");
    return tagEnd == std::string::npos ? message : message.substr(tagEnd + 2);
}
} // namespace

SimDescription ReadSimDescription(const std::string& file)
{
    return ParseSimDescription(FileText(file), file);
}

SimDescription ParseSimDescription(const std::string& text, const std::string& file)
{
    json root;
    try
    {
        root = json::parse(text);
    }
    catch (const json::exception& error)
    {
        throw CommandFailure(ExitStatus::badInput, file + ": not valid JSON: " + ParserMessage(error));
    }
    return DescriptionReader(file).Simulation(root);
}

PmPosition200 HeadingPosition(dpoint3d pt, dpoint3d tpt, double headingDegrees)
{
    return PlacedAt(pt, tpt, CZnTransform(CZnVector(0.0, 0.0, 1.0), Radians(headingDegrees)));
}
