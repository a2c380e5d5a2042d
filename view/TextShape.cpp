#include "view/TextShape.h"

#include "cadhost/Utf8Text.h"
#include "host/AcDbText.h"
#include "host/acutMem.h"

#include <cmath>
#include <cwctype>

namespace
{
// A paragraph's base lines are this many heights apart at spacing 1.
constexpr double kLineSpacing = 5.0 / 3.0;

// Codes that take an argument up to a semicolon: font, height, colour,
// width, slant, tracking, alignment, paragraph.
bool TakesArgument(wchar_t code)
{
    return std::wstring(L"ACcFfHQTWp").find(code) != std::wstring::npos;
}

// Moves the text's anchor by dy along its own y axis, and places it.
void Place(SketchText& shape, double x, double y, double dy, const Affine2& place)
{
    const double scale = std::sqrt(std::fabs(place.a * place.d - place.b * place.c));
    place.Apply(x - std::sin(shape.angle) * dy, y + std::cos(shape.angle) * dy, shape.x, shape.y);
    shape.angle += std::atan2(place.b, place.a);
    shape.height *= scale;
    shape.lineStep *= scale;
}

std::wstring SpecialCharacters(const std::wstring& text)
{
    std::wstring shown;
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        if (text.compare(i, 2, L"%%") != 0 || i + 2 >= text.size())
        {
            shown += text[i];
            continue;
        }
        const wchar_t code = static_cast<wchar_t>(std::towlower(text[i + 2]));
        shown += code == L'd' ? L"\u00b0" : code == L'p' ? L"\u00b1" : code == L'c' ? L"\u2300" : code == L'%' ? L"%" : L"";
        i += 2;
    }
    return shown;
}
} // namespace

std::vector<std::string> ParagraphLines(const std::wstring& contents)
{
    std::vector<std::string> lines;
    std::wstring line;
    for (std::size_t i = 0; i < contents.size(); ++i)
    {
        const wchar_t c = contents[i];
        if (c == L'{' || c == L'}')
            continue;
        if (c != L'\\' || i + 1 >= contents.size())
        {
            line += c;
            continue;
        }
        const wchar_t code = contents[++i];
        if (code == L'P')
        {
            lines.push_back(cadhost::toUtf8(line));
            line.clear();
        }
        else if (code == L'~')
            line += L'\u00a0';
        else if (code == L'\\' || code == L'{' || code == L'}')
            line += code;
        else if (code == L'S')
        {
            // A stacked fraction, shown as top/bottom.
            for (++i; i < contents.size() && contents[i] != L';'; ++i)
                line += contents[i] == L'^' || contents[i] == L'#' ? L'/' : contents[i];
        }
        else if (TakesArgument(code))
            i = std::min(contents.find(L';', i), contents.size());
    }
    lines.push_back(cadhost::toUtf8(line));
    return lines;
}

SketchText TextShape(const AcDbText& text, const Affine2& place)
{
    SketchText shape;
    shape.lines.push_back(cadhost::toUtf8(SpecialCharacters(text.textStringConst())));
    shape.height = text.height();
    shape.angle = text.rotation();
    shape.widthFactor = text.widthFactor();
    const AcDb::TextHorzMode horizontal = text.horizontalMode();
    const AcDb::TextVertMode vertical = text.verticalMode();
    const bool onPosition = (horizontal == AcDb::kTextLeft && vertical == AcDb::kTextBase) ||
                            horizontal == AcDb::kTextAlign || horizontal == AcDb::kTextFit;
    const AcGePoint3d at = onPosition ? text.position() : text.alignmentPoint();
    shape.anchor = horizontal == AcDb::kTextCenter || horizontal == AcDb::kTextMid ? "middle"
                   : horizontal == AcDb::kTextRight                                ? "end"
                                                                                   : "start";
    // The base line, from the point the text stands on.
    const double h = shape.height;
    const double dy = horizontal == AcDb::kTextMid      ? -h / 2.0
                      : vertical == AcDb::kTextBottom   ? h / 3.0
                      : vertical == AcDb::kTextVertMid  ? -h / 2.0
                      : vertical == AcDb::kTextTop      ? -h
                                                        : 0.0;
    Place(shape, at.x, at.y, dy, place);
    return shape;
}

SketchText TextShape(const AcDbMText& text, const Affine2& place)
{
    SketchText shape;
    ACHAR* contents = text.contents();
    shape.lines = ParagraphLines(contents != nullptr ? contents : L"");
    acutDelString(contents);
    shape.height = text.textHeight();
    shape.angle = std::atan2(text.direction().y, text.direction().x);
    shape.lineStep = kLineSpacing * text.lineSpacingFactor() * shape.height;
    const int attachment = static_cast<int>(text.attachment()) - 1;
    shape.anchor = attachment % 3 == 0 ? "start" : attachment % 3 == 1 ? "middle" : "end";
    // From the attachment point to the first base line: below the top by a
    // height, the whole block's height less that lower per row.
    const double block = shape.height + shape.lineStep * static_cast<double>(shape.lines.size() - 1);
    const double dy = -shape.height + block * (attachment / 3) / 2.0;
    Place(shape, text.location().x, text.location().y, dy, place);
    return shape;
}
