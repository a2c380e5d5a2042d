// The host's state behind AcDbProxyObject: the class it stands for and the
// exact bytes of its record.
#pragma once

#include "cadhost/DrawingClassInfo.h"
#include "host/AcDbProxyObject.h"

#include <cstdint>
#include <vector>

class AcDbImpProxyObject
{
public:
    // A new proxy for an object of the class info describes, not yet filled.
    static AcDbProxyObject* create(cadhost::DrawingClassInfo info);
    static AcDbImpProxyObject* of(const AcDbProxyObject* proxy) { return proxy->mpImpProxy; }

    const cadhost::DrawingClassInfo& classInfo() const { return mClass; }
    std::vector<std::uint8_t>& bytes() { return mBytes; }
    const std::vector<std::uint8_t>& bytes() const { return mBytes; }

private:
    cadhost::DrawingClassInfo mClass;
    std::vector<std::uint8_t> mBytes;
};
