// How every version-101 record files the pieces it holds: a count, then each
// piece's own record. Empty slots (left through the arrays' pointers) are not
// written, so the count is the number of records that follow. Reading stops
// at the first filer failure, so a damaged count cannot keep the reader
// making empty pieces.
#pragma once

#include "host/AcDbDwgFiler.h"
#include "storage/RecordReading.h"

#include <algorithm>
#include <vector>

template <class Piece>
void WritePieces(AcDbDwgFiler* filer, const std::vector<Piece*>& pieces)
{
    const auto count = std::count_if(pieces.begin(), pieces.end(),
                                     [](const Piece* piece) { return piece != nullptr; });
    filer->writeInt32(static_cast<Adesk::Int32>(count));
    for (const Piece* piece : pieces)
        if (piece != nullptr)
            piece->Save(filer);
}

// Appends each piece read as a new Made, the piece class of this release's
// records.
template <class Made, class Piece>
void ReadPieces(AcDbDwgFiler* filer, std::vector<Piece*>& pieces)
{
    Adesk::Int32 count = 0;
    filer->readInt32(&count);
    for (Adesk::Int32 n = 0; n < count && StillReading(filer); ++n)
    {
        auto* piece = new Made();
        pieces.push_back(piece);
        piece->Load(filer);
    }
}
