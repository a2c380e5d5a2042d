// The length a drawing unit stands for. Drawings carry no unit of their
// own; people say which one they drew in.
#pragma once

#include <optional>
#include <string>

// The names taken, as help text shows them.
constexpr const char* kLengthUnitNames = "m|cm|mm|km|in|ft|yd|mi";

// Metres per unit of name; none for a name not in kLengthUnitNames.
[[nodiscard]] std::optional<double> MetresPerUnit(const std::string& name);
