#include "cadhost/HostDiagnostics.h"
#include "host/AcRxDictionary.h"
#include "host/AcRxDynamicLinker.h"
#include "host/AcRxService.h"
#include "tests/storage/StorageTest.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace
{
namespace fs = std::filesystem;

AcRxClass* registeredClass()
{
    return AcRxClass::cast(acrxClassDictionary->at(L"CPmAcadSim200"));
}

bool serviceRegistered()
{
    return acrxServiceIsRegistered(L"CPmAcadSim200");
}

void appNameChanged(const AcRxClass*, ACHAR*&, int) {}

// Every test leaves the registration as a fresh host has it.
class ModuleEntryPointTest : public ::testing::Test
{
protected:
    void TearDown() override { acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr); }
};

// Initialisation, and only it, registers the class and service, once and
// without needing CommonProgramFiles; unloading takes them away, and the
// app-name function reaches a registration made afresh.
TEST_F(ModuleEntryPointTest, InitialisationAloneRegistersTheClassAndServiceAndUnloadingTakesThemAway)
{
    const ScopedEnvironment unset("CommonProgramFiles", nullptr);
    for (const AcRx::AppMsgCode msg : {AcRx::kNullMsg, AcRx::kLoadDwgMsg, AcRx::kUnloadDwgMsg,
                                       AcRx::kQuitMsg, AcRx::kSuspendMsg})
        EXPECT_EQ(acrxEntryPoint(msg, nullptr), AcRx::kRetOK);
    EXPECT_EQ(registeredClass(), nullptr);
    EXPECT_FALSE(serviceRegistered());

    ASSERT_TRUE(acrxLoadModule(ModulePath().c_str(), false));
    AcRxClass* cls = registeredClass();
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(CPmAcadSim200::desc(), cls);
    EXPECT_EQ(cls->myParent(), AcDbObject::desc());
    int dwgVersion = 0;
    int maintVersion = 0;
    cls->getClassVersion(dwgVersion, maintVersion);
    EXPECT_EQ(dwgVersion, 27);
    EXPECT_EQ(maintVersion, 25);
    EXPECT_EQ(cls->proxyFlags(), 1);
    EXPECT_STREQ(cls->dxfName(), L"CPMACADSIM200");
    EXPECT_STREQ(cls->appName(), L"\"ZnSim200_2007.dbx    |"
                                 L"Product Desc:     Orvane Simulation Object    |"
                                 L"Company:          Orvane    |"
                                 L"WEB Address:      https://www.orvane.example\";");
    EXPECT_EQ(cls->appNameCallbackPtr(), nullptr);
    EXPECT_TRUE(serviceRegistered());
    EXPECT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, nullptr), AcRx::kRetOK);
    CPmAcadSim200::rxInit(&appNameChanged);
    EXPECT_EQ(CPmAcadSim200::gpDesc, cls);
    EXPECT_EQ(registeredClass(), cls);

    // What the host makes objects with before reading them: a default
    // simulation from its own allocator.
    const long live = cadhost::liveDatabaseObjects();
    CPmAcadSim200* made = CPmAcadSim200::cast(cls->create());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Type(), -1);
    EXPECT_EQ(made->isA(), cls);
    EXPECT_EQ(cadhost::liveDatabaseObjects(), live + 1);
    EXPECT_EQ(CPmAcadSim200::cast(nullptr), nullptr);
    EXPECT_EQ(CPmAcadSim200::cast(cls), nullptr);
    delete made;

    ASSERT_TRUE(acrxUnloadModule(ModulePath().c_str()));
    EXPECT_EQ(registeredClass(), nullptr);
    EXPECT_EQ(CPmAcadSim200::gpDesc, nullptr);
    EXPECT_FALSE(serviceRegistered());
    CPmAcadSim200::rxInit(&appNameChanged);
    ASSERT_NE(registeredClass(), nullptr);
    EXPECT_EQ(registeredClass()->appNameCallbackPtr(), &appNameChanged);
}

TEST_F(ModuleEntryPointTest, AClassOfTheSameNameFromElsewhereStopsTheHost)
{
    EXPECT_DEATH(
        {
            CPmAcadSim200::gpDesc = newAcRxClass(L"RegisteredEarlier", L"AcDbObject");
            newAcRxClass(L"CPmAcadSim200", L"AcDbObject");
            CPmAcadSim200::rxInit();
        },
        "Class mismatch");
}

// A test module placed where the previous release's module belongs shows
// the path that initialisation asks the host to load.
TEST_F(ModuleEntryPointTest, LoadsThePreviousReleasesModuleFromTheProductFolder)
{
    const TempFolder folder;
    const fs::path& common = folder.path();
    fs::create_directories(common / "Orvane");
    fs::create_symlink(BinDir() / "RxRecordingModule.dbx",
                       common / "Orvane" / "ZnSim101_2007x64.dbx");
    {
        const ScopedEnvironment set("CommonProgramFiles", common.c_str());
        acrxEntryPoint(AcRx::kInitAppMsg, nullptr);
    }
    const std::wstring asked = common.wstring() + L"\\Orvane\\ZnSim101_2007x64.dbx";
    EXPECT_TRUE(cadhost::moduleIsLoaded(asked.c_str()));
    EXPECT_TRUE(acrxServiceIsRegistered(L"RxRecordingService"));
    EXPECT_TRUE(acrxUnloadModule(asked.c_str()));
}
} // namespace
