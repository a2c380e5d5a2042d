// Text as a sketch draws it: its lines, where the first line's base line
// starts (or is centred, or ends), its height and turn, through place.
// Heights follow place's scale; a text mirrored is drawn unmirrored.
//
// A paragraph's formatting codes are dropped, its paragraph breaks start
// new lines, and its lines are not wrapped at its width (the picture has
// no fonts to measure them by). A line's special characters (%%d, %%p,
// %%c) are shown as the characters they stand for.
#pragma once

#include "view/Sketch.h"

#include <string>
#include <vector>

class AcDbMText;
class AcDbText;

[[nodiscard]] SketchText TextShape(const AcDbText& text, const Affine2& place);
[[nodiscard]] SketchText TextShape(const AcDbMText& text, const Affine2& place);

// A paragraph's lines without its formatting codes.
[[nodiscard]] std::vector<std::string> ParagraphLines(const std::wstring& contents);
