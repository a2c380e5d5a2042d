// An object of a class that no loaded module registers, or whose reader
// refused it: the host keeps its record's bytes and writes them back as they
// were. Callers may erase it when its class's proxy flags allow that
// (0x1); nothing else. Its owner is read from the
// host's part at the start of the record.
#pragma once

#include "host/AcDbObject.h"

class AcDbImpProxyObject;

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

    // The record exactly as it was read.
    Acad::ErrorStatus dwgInFields(AcDbDwgFiler* pFiler) override;
    Acad::ErrorStatus dwgOutFields(AcDbDwgFiler* pFiler) const override;

protected:
    AcDbProxyObject();

private:
    friend class AcDbImpProxyObject;
    AcDbImpProxyObject* mpImpProxy;
};
