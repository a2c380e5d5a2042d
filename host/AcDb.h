// Enumerations of the host's database layer.
#pragma once

namespace AcDb
{
enum OpenMode
{
    kNotOpen = -1,
    kForRead = 0,
    kForWrite = 1,
    kForNotify = 2
};

enum Visibility
{
    kVisible = 0,
    kInvisible = 1
};

enum FilerType
{
    kFileFiler = 0,
    kCopyFiler = 1,
    kUndoFiler = 2,
    kBagFiler = 3,
    kIdXlateFiler = 4,
    kPageFiler = 5,
    kDeepCloneFiler = 6,
    kIdFiler = 7,
    kPurgeFiler = 8,
    kWblockCloneFiler = 9
};
} // namespace AcDb
