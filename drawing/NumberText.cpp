#include "drawing/NumberText.h"

#include <cstdio>

namespace
{
std::string Formatted(const char* format, int precision, double value)
{
    char text[40];
    // Adding 0.0 turns -0 into 0.
    std::snprintf(text, sizeof text, format, precision, value + 0.0);
    return text;
}
} // namespace

std::string NumberText(double value, int digits)
{
    return Formatted("%.*g", digits, value);
}

std::string DecimalText(double value, int decimals)
{
    return Formatted("%.*f", decimals, value);
}
