// A drawing file taken apart into its header, header variables, class
// table and object entries, to be changed and put together again with its sizes, counts and
// checksums made to agree, so that a test can make a file whose damage the
// reader meets only at the point under test.
#pragma once

#include "cadhost/DrawingFileHeader.h"
#include "host/AcDbHandle.h"

#include <string>
#include <vector>

struct DrawingFileImage
{
    struct Object
    {
        Adesk::UInt64 handle;
        Adesk::UInt32 classIndex;
        std::string record;
    };

    // The parts of a file the writer made; a test fails if it is not one.
    static DrawingFileImage of(const std::string& fileBytes);
    // The file again. Counts, sizes and every checksum are recomputed; the
    // handle seed and root handles are written as the header holds them.
    std::string bytes() const;
    // The entry of handle; a test fails, and null comes back, without one.
    Object* object(AcDbHandle handle);

    cadhost::DrawingFileHeader header;
    // Without their checksums; no variables in the first format.
    std::string variables;
    std::string classTable;
    std::vector<Object> objects;
};
