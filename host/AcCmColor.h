// A colour as entities and layers carry it: by layer, by block, an index
// into the host's palette (1 to 255), or a true colour of red, green and
// blue. A value type, copied freely.
#pragma once

#include "host/AcadErrorStatus.h"
#include "host/WinTypes.h"

class AcCmEntityColor
{
public:
    enum ColorMethod : Adesk::UInt8
    {
        kByLayer = 0xC0,
        kByBlock = 0xC1,
        kByColor = 0xC2,
        kByACI = 0xC3,
        kByPen = 0xC4,
        kForeground = 0xC5,
        kLayerOff = 0xC6,
        kLayerFrozen = 0xC7,
        kNone = 0xC8
    };

    enum ACIcolorMethod
    {
        kACIbyBlock = 0,
        kACIforeground = 7,
        kACIbyLayer = 256,
        kACInone = 257
    };
};

class AcCmColor
{
public:
    AcCmColor() = default;

    AcCmEntityColor::ColorMethod colorMethod() const { return mMethod; }
    bool isByColor() const { return mMethod == AcCmEntityColor::kByColor; }
    bool isByLayer() const { return mMethod == AcCmEntityColor::kByLayer; }
    bool isByBlock() const { return mMethod == AcCmEntityColor::kByBlock; }
    bool isByACI() const { return mMethod == AcCmEntityColor::kByACI; }
    bool isNone() const { return mMethod == AcCmEntityColor::kNone; }

    // 0 by block, 256 by layer, 1 to 255 an index, 257 no colour. A true
    // colour answers 257 too: the stand-in keeps no palette to find the
    // nearest index by.
    Adesk::UInt16 colorIndex() const
    {
        switch (mMethod)
        {
        case AcCmEntityColor::kByBlock:
            return AcCmEntityColor::kACIbyBlock;
        case AcCmEntityColor::kByLayer:
            return AcCmEntityColor::kACIbyLayer;
        case AcCmEntityColor::kByACI:
            return static_cast<Adesk::UInt16>(mValue);
        case AcCmEntityColor::kForeground:
            return AcCmEntityColor::kACIforeground;
        default:
            return AcCmEntityColor::kACInone;
        }
    }
    // eInvalidInput above 257.
    Acad::ErrorStatus setColorIndex(Adesk::UInt16 color)
    {
        if (color > AcCmEntityColor::kACInone)
            return Acad::eInvalidInput;
        mValue = 0;
        if (color == AcCmEntityColor::kACIbyBlock)
            mMethod = AcCmEntityColor::kByBlock;
        else if (color == AcCmEntityColor::kACIbyLayer)
            mMethod = AcCmEntityColor::kByLayer;
        else if (color == AcCmEntityColor::kACInone)
            mMethod = AcCmEntityColor::kNone;
        else
        {
            mMethod = AcCmEntityColor::kByACI;
            mValue = color;
        }
        return Acad::eOk;
    }

    Acad::ErrorStatus setRGB(Adesk::UInt8 red, Adesk::UInt8 green, Adesk::UInt8 blue)
    {
        mMethod = AcCmEntityColor::kByColor;
        mValue = static_cast<Adesk::UInt32>(red) << 16 | static_cast<Adesk::UInt32>(green) << 8 | blue;
        return Acad::eOk;
    }
    // Of a true colour; 0 otherwise.
    Adesk::UInt8 red() const { return isByColor() ? static_cast<Adesk::UInt8>(mValue >> 16) : 0; }
    Adesk::UInt8 green() const { return isByColor() ? static_cast<Adesk::UInt8>(mValue >> 8) : 0; }
    Adesk::UInt8 blue() const { return isByColor() ? static_cast<Adesk::UInt8>(mValue) : 0; }

    // The whole colour in 32 bits: the method in the top byte, then the
    // index or red, green and blue.
    Adesk::UInt32 color() const { return static_cast<Adesk::UInt32>(mMethod) << 24 | (mValue & 0xFFFFFFu); }
    // eInvalidInput for a method byte that is not a colour method.
    Acad::ErrorStatus setColor(Adesk::UInt32 color)
    {
        const Adesk::UInt32 method = color >> 24;
        if (method < AcCmEntityColor::kByLayer || method > AcCmEntityColor::kNone)
            return Acad::eInvalidInput;
        mMethod = static_cast<AcCmEntityColor::ColorMethod>(method);
        mValue = color & 0xFFFFFFu;
        return Acad::eOk;
    }

    Acad::ErrorStatus setByLayer() { return setColorIndex(AcCmEntityColor::kACIbyLayer); }
    Acad::ErrorStatus setByBlock() { return setColorIndex(AcCmEntityColor::kACIbyBlock); }

    bool operator==(const AcCmColor& other) const { return color() == other.color(); }
    bool operator!=(const AcCmColor& other) const { return !(*this == other); }

private:
    AcCmEntityColor::ColorMethod mMethod = AcCmEntityColor::kByLayer;
    Adesk::UInt32 mValue = 0;
};
