// The host's 256-entry colour index as red, green and blue, and the colour a
// picture shows an entity's colour in against its background.
//
// 1 to 7 are red, yellow, green, cyan, blue, magenta and white (which a
// light background shows black), 8 and 9 greys; 10 to 249 are a wheel of 24
// hues 15 degrees apart, each in ten entries: five shades from full to dark,
// each at full saturation (even entries) then half (odd); 250 to 255 are
// greys from dark to white.
#pragma once

#include "host/AcCmColor.h"

#include <cstdint>
#include <string>

struct Rgb
{
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    bool operator==(const Rgb& other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
    // "#rrggbb", as SVG and the canvas take it.
    [[nodiscard]] std::string Hex() const;
};

// Index 1 to 255; 0 and anything above 255 answer index 7's white.
[[nodiscard]] Rgb IndexColour(int index);

// The colour an entity of colour shows in on a light or a dark background:
// an index colour through the palette, a true colour as it is; index 7 (and
// a colour with no index) black on a light background. Colours too close to
// the background to be seen are darkened on a light one and lightened on a
// dark one. By layer and by block must have been resolved already; they
// show as index 7.
[[nodiscard]] Rgb ShownColour(const AcCmColor& colour, bool darkBackground);
