// Makes the blocks that show parts in the drawing, and copies them. Every
// block made here comes from the ordinary heap and belongs to the caller until
// a part takes it. The class has no data; copying or assigning one changes
// nothing.
#pragma once

class AcDbBlockReference;
class CPmAnimationBlock;
class CZnBlock;

// An element as callers written for the other CAD host hand one over: a
// pointer-sized first field that this factory never reads, then the block
// reference it stands for.
struct element
{
    void* descriptor;
    AcDbBlockReference* blockRef;
};

class CPmBlockFactory
{
public:
    // A drawing block pending with a copy of the element's block reference,
    // which stays the caller's; an empty one for a null element or reference.
    static CZnBlock* CreateBlock(element* source);
    // A drawing block copied from a drawing block, or converted from a block
    // of the previous release; null for any other kind of block.
    static CZnBlock* CopyBlock(const CZnBlock& block);
    // An animation block pending with the values of the block's reference.
    static CPmAnimationBlock* CreateAnimationBlock(const CZnBlock& block);
};
