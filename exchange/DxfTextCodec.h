// Text in DXF files: files older than the 2007 version (AC1021) hold it in
// their code page, with characters beyond it written as \U+XXXX; later ones
// in UTF-8.
// The drawing's text is UTF-8.
#pragma once

#include <string>
#include <string_view>

// A file's text as UTF-8. \U+XXXX escapes are decoded; in a file before
// 2007, text that is not valid UTF-8 is taken as Windows-1252 (the code page
// of files without one named), while text that is (written by programs that
// wrote UTF-8 whatever the version) stays as it is.
[[nodiscard]] std::string TextFromDxf(std::string_view text, bool utf8File);

// UTF-8 text for a file before 2007: ASCII as it is, every other character
// as \U+XXXX (characters beyond the first plane as their two surrogates).
[[nodiscard]] std::string TextToDxf(std::string_view utf8);
