// A drawing for tests of the drawing blocks: block definitions to refer to,
// source references that blocks copy, and a look at a placed reference.
#pragma once

#include "tests/support/HostTest.h"

#include "cadhost/DwgMemoryFiler.h"
#include "host/AcDbBlockReference.h"

#include <memory>
#include <sstream>
#include <string>

// A block's debug dump.
template <class Block>
std::wstring dumpOf(const Block& block)
{
    std::wstringstream stream;
    stream << block;
    return stream.str();
}

// Loads block from a record holding only handle, as a part record gives it.
template <class Block>
void loadHandle(Block& block, AcDbHandle handle)
{
    DwgMemoryFiler filer;
    filer.writeAcDbHandle(handle);
    filer.rewind();
    block.Load(&filer);
}

// A new block definition of that name in the working drawing, closed.
AcDbObjectId addDefinition(const ACHAR* name);
// A reference in no drawing (readable without opening) to a new definition
// of that name.
std::unique_ptr<AcDbBlockReference> newSource(const ACHAR* name, AcGePoint3d position,
                                              AcGeScale3d scale = AcGeScale3d(1.0));

class BlockDrawingTest : public HostTest
{
protected:
    // What a placed reference holds, read with the reference opened for
    // read and closed again.
    struct Placed
    {
        AcDbObjectId definition;
        AcGePoint3d position;
        AcGeScale3d scale;
        AcDb::Visibility visibility = AcDb::kVisible;
        AcDbObjectId owner;
    };

    Placed placed(const AcDbHandle& handle);
};
