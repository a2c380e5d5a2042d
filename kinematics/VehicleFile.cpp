#include "kinematics/VehicleFile.h"

#include "drawing/Angles.h"
#include "drawing/JsonReader.h"
#include "drawing/TextFile.h"

#include <algorithm>
#include <cmath>

namespace
{
using nlohmann::json;

// How far a unit's overhangs and wheelbase may miss its length: published
// figures are rounded to a centimetre.
constexpr double kLengthSlack = 0.01;

class VehicleReader : JsonReader
{
public:
    using JsonReader::JsonReader;

    Vehicle Read(const json& root) const
    {
        const json& object = Object(root, "", {"name", "title", "sources", "lock", "lock_to_lock", "units", "notes"});
        Vehicle vehicle;
        vehicle.name = Text(Required(object, "", "name"), "name");
        if (vehicle.name.empty())
            Fail("name", "a vehicle needs a name");
        if (const json* title = Optional(object, "title"))
            vehicle.title = Text(*title, "title");
        if (const json* sources = Optional(object, "sources"))
            for (std::size_t i = 0; i < Array(*sources, "sources").size(); ++i)
                vehicle.sources.push_back(Text((*sources)[i], Element("sources", i)));
        if (const json* notes = Optional(object, "notes"))
            Expect(notes->is_object(), *notes, "notes", "an object of texts");
        vehicle.lock = Angle(Required(object, "", "lock"), "lock", 90.0);
        vehicle.lockToLock = Positive(Required(object, "", "lock_to_lock"), "lock_to_lock");
        const json& units = Array(Required(object, "", "units"), "units");
        if (units.empty())
            Fail("units", "a vehicle needs at least one unit");
        for (std::size_t i = 0; i < units.size(); ++i)
            vehicle.units.push_back(Unit(units[i], Element("units", i), i + 1 == units.size()));
        return vehicle;
    }

private:
    double Positive(const json& value, const std::string& where) const
    {
        const double number = Number(value, where);
        if (!(number > 0.0))
            Fail(where, "must be more than 0");
        return number;
    }

    // Degrees in the file, above 0 and at most most; radians here.
    double Angle(const json& value, const std::string& where, double most) const
    {
        const double degrees = Number(value, where);
        if (!(degrees > 0.0) || degrees > most)
            Fail(where, "an angle above 0 and at most " + std::to_string(static_cast<int>(most)) + " degrees");
        return Radians(degrees);
    }

    VehicleUnit Unit(const json& value, const std::string& where, bool last) const
    {
        const json& object = Object(value, where,
                                    {"name", "width", "length", "front_overhang", "wheelbase", "rear_overhang",
                                     "axles", "coupling"});
        VehicleUnit unit;
        unit.name = Text(Required(object, where, "name"), Member(where, "name"));
        unit.width = Positive(Required(object, where, "width"), Member(where, "width"));
        unit.length = Positive(Required(object, where, "length"), Member(where, "length"));
        unit.frontOverhang = Number(Required(object, where, "front_overhang"), Member(where, "front_overhang"));
        unit.wheelbase = Positive(Required(object, where, "wheelbase"), Member(where, "wheelbase"));
        unit.rearOverhang = Number(Required(object, where, "rear_overhang"), Member(where, "rear_overhang"));
        if (std::abs(unit.frontOverhang + unit.wheelbase + unit.rearOverhang - unit.length) > kLengthSlack)
            Fail(where, "front_overhang + wheelbase + rear_overhang does not make the length");
        const std::string axlesPath = Member(where, "axles");
        const json& axles = Array(Required(object, where, "axles"), axlesPath);
        for (std::size_t i = 0; i < axles.size(); ++i)
            unit.axles.push_back(Axle(axles[i], Element(axlesPath, i)));
        const json* coupling = Optional(object, "coupling");
        if (coupling != nullptr && last)
            Fail(Member(where, "coupling"), "the last unit has no unit to couple");
        if (coupling == nullptr && !last)
            Fail(Member(where, "coupling"), "missing: the next unit is coupled here");
        if (coupling != nullptr)
            unit.coupling = Coupling(*coupling, Member(where, "coupling"), unit);
        return unit;
    }

    VehicleAxle Axle(const json& value, const std::string& where) const
    {
        const json& object = Object(value, where, {"at", "track", "tyre_width", "tyre_diameter", "dual"});
        VehicleAxle axle;
        axle.at = Number(Required(object, where, "at"), Member(where, "at"));
        axle.track = Positive(Required(object, where, "track"), Member(where, "track"));
        axle.tyreWidth = Positive(Required(object, where, "tyre_width"), Member(where, "tyre_width"));
        axle.tyreDiameter = Positive(Required(object, where, "tyre_diameter"), Member(where, "tyre_diameter"));
        if (const json* dual = Optional(object, "dual"))
        {
            Expect(dual->is_boolean(), *dual, Member(where, "dual"), "true or false");
            axle.dual = dual->get<bool>();
        }
        return axle;
    }

    VehicleCoupling Coupling(const json& value, const std::string& where, const VehicleUnit& unit) const
    {
        const json& object = Object(value, where, {"offset", "articulation_limit"});
        VehicleCoupling coupling;
        coupling.offset = Number(Required(object, where, "offset"), Member(where, "offset"));
        if (coupling.offset < -unit.rearOverhang || coupling.offset > unit.wheelbase + unit.frontOverhang)
            Fail(Member(where, "offset"), "the coupling lies outside the unit's body");
        coupling.articulationLimit =
            Angle(Required(object, where, "articulation_limit"), Member(where, "articulation_limit"), 180.0);
        return coupling;
    }
};

bool NamesAFile(const std::string& nameOrFile)
{
    const std::size_t size = nameOrFile.size();
    return nameOrFile.find('/') != std::string::npos || (size > 5 && nameOrFile.compare(size - 5, 5, ".json") == 0);
}
} // namespace

Vehicle ParseVehicle(const std::string& text, const std::string& document)
{
    return VehicleReader(document).Read(ParseJson(text, document));
}

std::vector<std::filesystem::path> LibraryVehicles(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".json")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

Vehicle LoadVehicle(const std::string& nameOrFile, const std::filesystem::path& folder)
{
    if (NamesAFile(nameOrFile))
        return ParseVehicle(ReadTextFile(nameOrFile), nameOrFile);
    const std::filesystem::path file = folder / (nameOrFile + ".json");
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error))
        return ParseVehicle(ReadTextFile(file.string()), file.string());
    std::string known;
    for (const std::filesystem::path& vehicle : LibraryVehicles(folder))
        known += (known.empty() ? "" : ", ") + vehicle.stem().string();
    throw Failure(FailureKind::badInput, "no vehicle named \"" + nameOrFile + "\" in the library (" +
                                             (known.empty() ? "which is empty" : known) + ")");
}
