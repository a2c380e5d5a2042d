// The length a drawing unit stands for. A drawing says it in its insertion
// units; people may say another with --unit; a drawing that says none is
// taken as drawn in metres.
#pragma once

#include <optional>
#include <string>

// The names taken, as help text shows them.
constexpr const char* kLengthUnitNames = "m|cm|mm|km|in|ft|yd|mi";

// Metres per unit of name; none for a name not in kLengthUnitNames.
[[nodiscard]] std::optional<double> MetresPerUnit(const std::string& name);

// Metres per unit of the host's insertion units (AcDb::UnitsValue, DXF's
// $INSUNITS: 4 millimetres, 6 metres, ...); none for 0 (no units) and
// values beyond them.
[[nodiscard]] std::optional<double> MetresPerInsertionUnit(int units);
// Their short name ("mm", "US survey ft"); "no units" for 0, the number for
// a value beyond them.
[[nodiscard]] std::string InsertionUnitName(int units);
