#include "app/QuantityOption.h"

#include "host/AcDbDatabase.h"

#include "motion/LengthUnit.h"

#include <cmath>
#include <sstream>

bool ReadQuantity(const std::string& text, bool zeroAllowed, double& value)
{
    std::istringstream in(text);
    in >> value;
    const bool whole = !in.fail() && (in >> std::ws).eof();
    return whole && std::isfinite(value) && (value > 0.0 || (zeroAllowed && value == 0.0));
}

CLI::Validator Quantity(const std::string& what, bool zeroAllowed)
{
    return CLI::Validator(
        [what, zeroAllowed](std::string& text) {
            double value = 0.0;
            if (ReadQuantity(text, zeroAllowed, value))
                return std::string();
            return "not " + what + ": " + text + (zeroAllowed ? " (a number, 0 or more)" : " (a number above 0)");
        },
        zeroAllowed ? "NUMBER>=0" : "NUMBER>0");
}

CLI::Option* AddUnitOption(CLI::App& command, std::string& unit)
{
    return command
        .add_option("--unit", unit,
                    std::string("what a drawing unit stands for: ") + kLengthUnitNames +
                        " (default: the drawing's own units, else m)")
        ->check([](const std::string& name) {
            return MetresPerUnit(name) ? std::string() : std::string("a unit of ") + kLengthUnitNames;
        });
}

DrawingUnit UnitOfDrawing(const std::string& unitOption)
{
    if (!unitOption.empty())
        return {unitOption, MetresPerUnit(unitOption).value_or(1.0)};
    const AcDbDatabase* drawing = acdbHostApplicationServices()->workingDatabase();
    const int units = drawing != nullptr ? drawing->insunits() : 0;
    if (const std::optional<double> metres = MetresPerInsertionUnit(units))
        return {InsertionUnitName(units), *metres};
    return {"m", 1.0};
}
