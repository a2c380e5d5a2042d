// Loads the installed module as a host does, builds a simulation through its
// factories, stores it in a new drawing and lists it back: what a module of
// the product does with ZnSim200. Prints the names it finds and exits 0 only
// when the stored one is among them.
#include "ZnSim200.h"

#include <iostream>
#include <vector>

namespace
{
bool storeAndList()
{
    AcDbDatabase drawing;
    acdbHostApplicationServices()->setWorkingDatabase(&drawing);
    CPmSim200* sim = CPmDbxFactory200::MakeSim(7, 1);
    sim->SetName(L"Installed");
    CPmSection200* section = CPmDbxFactory200::MakeSection();
    section->SetSpeed(10.0, 1);
    sim->AddSection(section);
    if (sim->Save() != 0)
    {
        CPmDbxFactory200::DeleteSim(sim);
        return false;
    }
    sim->Close();
    std::vector<CString> names;
    CPmDbxFactory200::LoadSimNames(names);
    bool found = false;
    for (const CString& name : names)
    {
        std::wcout << static_cast<const wchar_t*>(name) << L'\n';
        found = found || name == L"Installed";
    }
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    return found;
}
} // namespace

int main()
{
    if (!acrxLoadModule(L"" MODULE_FILE, false))
    {
        std::cerr << "cannot load " << MODULE_FILE << '\n';
        return 1;
    }
    const bool found = storeAndList();
    acrxUnloadModule(L"" MODULE_FILE);
    return found ? 0 : 1;
}
