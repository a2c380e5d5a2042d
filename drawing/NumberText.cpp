#include "drawing/NumberText.h"

#include <cstdio>

std::string NumberText(double value, int digits)
{
    char text[40];
    // Adding 0.0 turns -0 into 0.
    std::snprintf(text, sizeof text, "%.*g", digits, value + 0.0);
    return text;
}
