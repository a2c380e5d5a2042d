#include "cadhost/HostDiagnostics.h"
#include "host/AcDbDictionary.h"
#include "host/AcRxDictionary.h"
#include "host/AcRxDynamicLinker.h"
#include "host/AcRxService.h"
#include "tests/storage/StorageTest.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

const ACHAR* const kAppName = L"\"ZnSim200_2007.dbx    |"
                              L"Product Desc:     Orvane Simulation Object    |"
                              L"Company:          Orvane    |"
                              L"WEB Address:      https://www.orvane.example\";";

AcRxClass* registeredClass()
{
    return AcRxClass::cast(acrxClassDictionary->at(L"CPmAcadSim200"));
}

void appNameChanged(const AcRxClass*, ACHAR*&, int) {}

// Every test leaves the module's registration as a fresh host has it.
class ModuleEntryPointTest : public ::testing::Test
{
protected:
    void TearDown() override { acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr); }
};

TEST_F(ModuleEntryPointTest, LoadingRegistersTheClassAndServiceAndUnloadingTakesThemAway)
{
    ASSERT_TRUE(acrxLoadModule(ModulePath().c_str(), false));
    AcRxClass* cls = registeredClass();
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(CPmAcadSim200::desc(), cls);
    EXPECT_STREQ(cls->name(), L"CPmAcadSim200");
    EXPECT_EQ(cls->myParent(), AcDbObject::desc());
    int dwgVersion = 0;
    int maintVersion = 0;
    cls->getClassVersion(dwgVersion, maintVersion);
    EXPECT_EQ(dwgVersion, 27);
    EXPECT_EQ(maintVersion, 25);
    EXPECT_EQ(cls->proxyFlags(), 1);
    EXPECT_STREQ(cls->dxfName(), L"CPMACADSIM200");
    EXPECT_STREQ(cls->appName(), kAppName);
    EXPECT_EQ(cls->appNameCallbackPtr(), nullptr);
    EXPECT_TRUE(acrxServiceIsRegistered(L"CPmAcadSim200"));

    // The factory the host reads drawings with makes a default simulation
    // through the host's allocator.
    CPmAcadSim200* made = CPmAcadSim200::cast(cls->create());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Type(), -1);
    EXPECT_TRUE(made->IsCurVersion());
    const long live = cadhost::liveDatabaseObjects();
    delete made;
    EXPECT_EQ(cadhost::liveDatabaseObjects(), live - 1);

    ASSERT_TRUE(acrxUnloadModule(ModulePath().c_str()));
    EXPECT_EQ(registeredClass(), nullptr);
    EXPECT_EQ(CPmAcadSim200::gpDesc, nullptr);
    EXPECT_EQ(CPmAcadSim200::desc(), nullptr);
    EXPECT_FALSE(acrxServiceIsRegistered(L"CPmAcadSim200"));
}

TEST_F(ModuleEntryPointTest, RegistersOnceAndPassesTheAppNameFunctionOn)
{
    CPmAcadSim200::rxInit();
    AcRxClass* cls = CPmAcadSim200::gpDesc;
    ASSERT_NE(cls, nullptr);
    CPmAcadSim200::rxInit(&appNameChanged);
    EXPECT_EQ(CPmAcadSim200::gpDesc, cls);
    EXPECT_EQ(registeredClass(), cls);
    EXPECT_EQ(cls->appNameCallbackPtr(), nullptr);

    acrxEntryPoint(AcRx::kUnloadAppMsg, nullptr);
    CPmAcadSim200::rxInit(&appNameChanged);
    ASSERT_NE(registeredClass(), nullptr);
    EXPECT_EQ(registeredClass()->appNameCallbackPtr(), &appNameChanged);
}

TEST_F(ModuleEntryPointTest, OtherMessagesDoNothing)
{
    EXPECT_EQ(acrxGetApiVersion(), 0x110000);
    for (const AcRx::AppMsgCode msg : {AcRx::kNullMsg, AcRx::kLoadDwgMsg, AcRx::kUnloadDwgMsg,
                                       AcRx::kQuitMsg, AcRx::kSaveMsg, AcRx::kSuspendMsg})
    {
        EXPECT_EQ(acrxEntryPoint(msg, nullptr), AcRx::kRetOK) << msg;
        EXPECT_EQ(registeredClass(), nullptr) << msg;
        EXPECT_FALSE(acrxServiceIsRegistered(L"CPmAcadSim200")) << msg;
    }
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

TEST_F(ModuleEntryPointTest, DescriptorAndCastFollowTheRegistration)
{
    EXPECT_EQ(CPmAcadSim200::desc(), nullptr);
    CPmAcadSim200::rxInit();
    auto* sim = new CPmAcadSim200();
    auto* dictionary = new AcDbDictionary();
    EXPECT_EQ(sim->isA(), CPmAcadSim200::desc());
    EXPECT_TRUE(sim->isKindOf(AcDbObject::desc()));
    EXPECT_EQ(CPmAcadSim200::cast(sim), sim);
    EXPECT_EQ(CPmAcadSim200::cast(nullptr), nullptr);
    EXPECT_EQ(CPmAcadSim200::cast(dictionary), nullptr);
    delete dictionary;
    delete sim;
}

TEST_F(ModuleEntryPointTest, WithoutCommonProgramFilesInitialisationGoesOn)
{
    const ScopedEnvironment unset("CommonProgramFiles", nullptr);
    EXPECT_EQ(acrxEntryPoint(AcRx::kInitAppMsg, nullptr), AcRx::kRetOK);
    EXPECT_NE(registeredClass(), nullptr);
    EXPECT_TRUE(acrxServiceIsRegistered(L"CPmAcadSim200"));
}

// A stand-in placed where the previous release's module belongs shows the
// path the module asks the host to load.
TEST_F(ModuleEntryPointTest, LoadsThePreviousReleasesModuleFromTheProductFolder)
{
    const fs::path common = fs::temp_directory_path() / ("znsim-common-" + std::to_string(::getpid()));
    fs::create_directories(common / "Orvane");
    fs::create_symlink(BinDir() / "RxRecordingModule.dbx", common / "Orvane" / "ZnSim101_2007x64.dbx");
    const std::wstring asked = common.wstring() + L"\\Orvane\\ZnSim101_2007x64.dbx";
    {
        const ScopedEnvironment set("CommonProgramFiles", common.c_str());
        acrxEntryPoint(AcRx::kInitAppMsg, nullptr);
    }
    EXPECT_TRUE(cadhost::moduleIsLoaded(asked.c_str()));
    EXPECT_TRUE(acrxServiceIsRegistered(L"RxRecordingService"));
    EXPECT_NE(registeredClass(), nullptr);
    EXPECT_TRUE(acrxUnloadModule(asked.c_str()));
    fs::remove_all(common);
}
} // namespace
