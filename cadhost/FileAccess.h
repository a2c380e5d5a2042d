// Whole-file reads and atomic replacement, with the host's statuses.
#pragma once

#include "host/AcadErrorStatus.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace cadhost
{
// eFileNotFound when there is no such file, eFileAccessErr when it cannot be
// read (no permission, a folder, an I/O error).
Acad::ErrorStatus readWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes);

// Writes the parts one after another into a new file in path's folder,
// flushes it to disk and renames it over path, so that path holds either
// its old content or all of the new one. On failure the new file is
// removed: eOutOfDisk when the disk is full, eFileAccessErr otherwise.
Acad::ErrorStatus replaceFileAtomically(const std::string& path,
                                        std::initializer_list<const std::vector<std::uint8_t>*> parts);
} // namespace cadhost
