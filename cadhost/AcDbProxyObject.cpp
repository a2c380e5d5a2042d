#include "host/AcDbProxyObject.h"

#include "cadhost/AcDbImpObject.h"
#include "cadhost/AcDbImpProxyObject.h"
#include "cadhost/DwgMemoryFiler.h"
#include "cadhost/HostClassRegistrar.h"

#include <cstdio>

ACRX_DEFINE_HOST_MEMBERS(AcDbProxyObject, ACRX_T("AcDbObject"), nullptr, nullptr);

AcDbProxyObject* AcDbImpProxyObject::create(cadhost::DrawingClassInfo info)
{
    auto* proxy = new AcDbProxyObject;
    proxy->mpImpProxy->mClass = std::move(info);
    return proxy;
}

AcDbProxyObject::AcDbProxyObject() : mpImpProxy(new AcDbImpProxyObject) {}

AcDbProxyObject::~AcDbProxyObject() { delete mpImpProxy; }

const ACHAR* AcDbProxyObject::originalClassName() const
{
    assertReadEnabled();
    return mpImpProxy->classInfo().name.c_str();
}

const ACHAR* AcDbProxyObject::originalDxfName() const
{
    assertReadEnabled();
    return mpImpProxy->classInfo().dxfName.c_str();
}

const ACHAR* AcDbProxyObject::applicationDescription() const
{
    assertReadEnabled();
    return mpImpProxy->classInfo().appName.c_str();
}

int AcDbProxyObject::proxyFlags() const
{
    assertReadEnabled();
    return mpImpProxy->classInfo().proxyFlags;
}

// Takes everything from the filer's position to its end, then reads the
// owner out of a copy, so that a record too short for the host's part is
// still kept whole.
Acad::ErrorStatus AcDbProxyObject::dwgInFields(AcDbDwgFiler* pFiler)
{
    assertWriteEnabled();
    const Adesk::Int64 start = pFiler->tell();
    pFiler->seek(0, SEEK_END);
    const Adesk::Int64 end = pFiler->tell();
    pFiler->seek(start, SEEK_SET);
    std::vector<std::uint8_t>& bytes = mpImpProxy->bytes();
    bytes.resize(static_cast<std::size_t>(end - start));
    pFiler->readBytes(bytes.data(), bytes.size());

    DwgMemoryFiler ownerPart(pFiler->database(), pFiler->filerType());
    ownerPart.setBuffer(bytes);
    AcDbObject::dwgInFields(&ownerPart);
    return pFiler->filerStatus();
}

Acad::ErrorStatus AcDbProxyObject::dwgOutFields(AcDbDwgFiler* pFiler) const
{
    assertReadEnabled();
    const std::vector<std::uint8_t>& bytes = mpImpProxy->bytes();
    return pFiler->writeBytes(bytes.data(), bytes.size());
}
