#include "host/AcDbDwgFiler.h"

#include "cadhost/HostClassRegistrar.h"

ACRX_DEFINE_HOST_MEMBERS(AcDbDwgFiler, ACRX_T("AcRxObject"), nullptr, nullptr);

AcDbDwgFiler::~AcDbDwgFiler() = default;
