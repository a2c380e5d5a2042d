#include "host/AcDbDatabase.h"

#include "cadhost/HostClassRegistrar.h"

ACRX_DEFINE_HOST_MEMBERS(AcDbHostApplicationServices, ACRX_T("AcRxObject"), nullptr, nullptr);

AcDbDatabase* AcDbHostApplicationServices::workingDatabase() const { return mpWorkingDatabase; }

void AcDbHostApplicationServices::setWorkingDatabase(AcDbDatabase* pDatabase)
{
    mpWorkingDatabase = pDatabase;
}

AcDbHostApplicationServices* acdbHostApplicationServices()
{
    static AcDbHostApplicationServices services;
    return &services;
}
