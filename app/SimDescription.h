// A simulation as a JSON description gives it (docs/znsim.md has the
// schema), checked and converted to what the module takes: speeds with their
// unit codes, placements as transforms. Blocks are still the handles of the
// block references they copy; only the drawing can tell whether those exist.
#pragma once

#include "host/AcDbHandle.h"
#include "host/AcDbObjectId.h"
#include "model/dpoint3d.h"
#include "model/PmPosition200.h"

#include <string>
#include <vector>

struct PartDescription
{
    // Where the part stands in the description, for messages about it.
    std::string where;
    // The block reference whose definition the part shows a copy of; or,
    // when that is null, the definition itself (a vehicle's unit drawn for
    // it).
    AcDbHandle block;
    AcDbObjectId definition;
    dpoint3d offset;
    std::wstring text;
    std::vector<PartDescription> parts;
};

struct SegmentDescription
{
    PartDescription part;
    std::vector<PmPosition200> positions;
};

struct SectionDescription
{
    // As given, in the unit of the code.
    double speed = 0.0;
    int unit = 0;
    std::vector<SegmentDescription> segments;
};

struct SimDescription
{
    std::wstring name;
    unsigned __int64 id = 0;
    int type = 0;
    std::vector<SectionDescription> sections;
};

// Reads the description in file. Anything wrong with it is a Failure
// naming the file and, for its content, the field and what is wrong there.
SimDescription ReadSimDescription(const std::string& file);
// The same for a description's text; file only names it in messages.
SimDescription ParseSimDescription(const std::string& text, const std::string& file);

// A position at pt, facing heading degrees counter-clockwise from the x axis
// about the z axis, with tpt carried beside it.
PmPosition200 HeadingPosition(dpoint3d pt, dpoint3d tpt, double headingDegrees);
