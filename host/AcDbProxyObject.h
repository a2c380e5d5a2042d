// An object of a class that no loaded module registers, or whose reader
// refused it: the host keeps its record's bytes and writes them back as they
// were. Callers may erase it; nothing else.
#pragma once

#include "host/AcDbObject.h"

class AcDbProxyObject : public AcDbObject
{
public:
    ACRX_DECLARE_MEMBERS(AcDbProxyObject);
    ~AcDbProxyObject() override;

    // Name, DXF name and application name of the class it stands for, and
    // the proxy flags that class had when the drawing was written.
    const ACHAR* originalClassName() const;
    const ACHAR* originalDxfName() const;
    const ACHAR* applicationDescription() const;
    int proxyFlags() const;

protected:
    AcDbProxyObject();
};
