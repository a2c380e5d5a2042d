#include "drawing/ColourIndex.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace
{
constexpr std::array<Rgb, 10> kFirst{{{255, 255, 255},
                                      {255, 0, 0},
                                      {255, 255, 0},
                                      {0, 255, 0},
                                      {0, 255, 255},
                                      {0, 0, 255},
                                      {255, 0, 255},
                                      {255, 255, 255},
                                      {128, 128, 128},
                                      {192, 192, 192}}};
constexpr std::array<std::uint8_t, 6> kGreys{51, 80, 105, 130, 190, 255};
// The wheel's five shades, from full to dark.
constexpr std::array<double, 5> kShades{255.0, 165.0, 127.0, 76.0, 38.0};

// A wheel entry: hue in 15-degree steps from red through yellow, green,
// cyan, blue and magenta, at a shade's value, full or half saturation.
Rgb WheelColour(int hue, double value, bool half)
{
    const double low = half ? value / 2.0 : 0.0;
    // Each channel's level for a hue 0 to 360: full within 60 degrees of its
    // own hue, falling to low over the next 60.
    const auto channel = [&](double centre) {
        double distance = std::fabs(std::fmod(hue * 15.0 - centre + 540.0, 360.0) - 180.0);
        const double rise = std::clamp((120.0 - distance) / 60.0, 0.0, 1.0);
        return static_cast<std::uint8_t>(low + (value - low) * rise);
    };
    return {channel(0.0), channel(120.0), channel(240.0)};
}

std::uint8_t Channel(double value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
}

// Perceived lightness, 0 to 255.
double Lightness(const Rgb& colour)
{
    return 0.299 * colour.red + 0.587 * colour.green + 0.114 * colour.blue;
}

// The colour moved towards black (factor below 1) or white.
Rgb Shifted(const Rgb& colour, double factor)
{
    const auto shift = [&](std::uint8_t c) {
        return Channel(factor < 1.0 ? c * factor : 255.0 - (255.0 - c) / factor);
    };
    return {shift(colour.red), shift(colour.green), shift(colour.blue)};
}
} // namespace

std::string Rgb::Hex() const
{
    constexpr char kDigits[] = "0123456789abcdef";
    std::string hex = "#";
    for (const std::uint8_t c : {red, green, blue})
    {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex;
}

Rgb IndexColour(int index)
{
    if (index < 0 || index > 255)
        return kFirst[7];
    if (index < 10)
        return kFirst[static_cast<std::size_t>(index)];
    if (index >= 250)
        return {kGreys[static_cast<std::size_t>(index - 250)], kGreys[static_cast<std::size_t>(index - 250)],
                kGreys[static_cast<std::size_t>(index - 250)]};
    const int entry = index % 10;
    return WheelColour(index / 10 - 1, kShades[static_cast<std::size_t>(entry / 2)], entry % 2 == 1);
}

Rgb ShownColour(const AcCmColor& colour, bool darkBackground)
{
    if (!colour.isByColor() && !colour.isByACI())
        return darkBackground ? kFirst[7] : Rgb{};
    if (colour.isByACI() && colour.colorIndex() == 7)
        return darkBackground ? kFirst[7] : Rgb{};
    const Rgb rgb = colour.isByColor() ? Rgb{colour.red(), colour.green(), colour.blue()}
                                       : IndexColour(colour.colorIndex());
    // Too near the background to tell apart: a white line on white paper,
    // a dark blue on black.
    const double lightness = Lightness(rgb);
    if (!darkBackground && lightness > 200.0)
        return Shifted(rgb, 200.0 / lightness * 0.8);
    if (darkBackground && lightness < 60.0)
        return Shifted(rgb, 2.0);
    return rgb;
}
