// Makes a mutated drawing file's checksums right again, so that the fuzzer's
// changes reach the tables and the records behind them instead of stopping
// at the first checksum. The object table is stretched to the end of the
// file, since inserting or removing bytes would otherwise always be refused
// by the sizes in the header before any record is read.
#pragma once

#include <cstdint>
#include <vector>

namespace fuzz
{
// Leaves a file too short for a header, or one whose class table does not
// fit it, as it is: the reader refuses those before any checksum.
void sealDrawingFile(std::vector<std::uint8_t>& file);
} // namespace fuzz
