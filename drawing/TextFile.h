// Reading a whole input file (a description, a DXF) as bytes.
#pragma once

#include <string>

// Throws Failure (io) naming the file: "no such file", "not a regular
// file" or "cannot be read".
[[nodiscard]] std::string ReadTextFile(const std::string& path);
