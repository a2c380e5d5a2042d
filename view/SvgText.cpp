#include "view/SvgText.h"

#include "drawing/NumberText.h"

std::string SvgNumber(double value)
{
    return NumberText(value, kPictureDigits);
}

std::string SvgMatrix(const Affine2& m)
{
    return "matrix(" + SvgNumber(m.a) + ' ' + SvgNumber(m.b) + ' ' + SvgNumber(m.c) + ' ' + SvgNumber(m.d) + ' ' +
           SvgNumber(m.e) + ' ' + SvgNumber(m.f) + ')';
}

std::string XmlText(const std::string& text)
{
    std::string escaped;
    for (const char c : text)
        escaped += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '"' ? "&quot;" : std::string(1, c);
    return escaped;
}

std::string SvgPathData(const std::vector<double>& xy, bool closed)
{
    if (xy.size() < 4)
        return {};
    std::string data = "M";
    for (std::size_t i = 0; i + 1 < xy.size(); i += 2)
        data += (i > 0 ? " L" : "") + SvgNumber(xy[i]) + ' ' + SvgNumber(xy[i + 1]);
    return closed ? data + " Z" : data;
}
