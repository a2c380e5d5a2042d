#include "cadhost/HostDiagnostics.h"
#include "host/AcRxDictionary.h"
#include "host/AcRxDynamicLinker.h"
#include "host/AcRxService.h"
#include "tests/cadhost/modules/RecordingModule.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

namespace
{
std::wstring wide(const std::string& path)
{
    return std::wstring(path.begin(), path.end());
}

// The path as a caller on the host's own platform writes it.
std::wstring windowsPath(const std::string& path)
{
    std::wstring text = wide(path);
    std::replace(text.begin(), text.end(), L'/', L'\\');
    return text;
}

template <class Function> Function serviceExport(const ACHAR* service, const ACHAR* symbol)
{
    return reinterpret_cast<Function>(acrxGetSymbolAddress(service, symbol));
}

bool stillMapped(const char* path)
{
    void* handle = ::dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr)
        ::dlclose(handle);
    return handle != nullptr;
}

// A module is initialised once, however often and by whatever path it is
// loaded; loads are counted, and only the last unload sends the message. A
// second load as a command is refused.
TEST(ModuleLoadingTest, LoadsOnceByAnyPathAndUnloadsWithTheLastLoad)
{
    const std::wstring path = windowsPath(RX_RECORDING_MODULE);
    const int initsBefore = rxMessagesReceived(AcRx::kInitAppMsg);
    const int unloadsBefore = rxMessagesReceived(AcRx::kUnloadAppMsg);

    ASSERT_TRUE(acrxLoadModule(path.c_str(), false, true));
    EXPECT_TRUE(acrxLoadModule(path.c_str(), false));
    EXPECT_TRUE(acrxLoadModule(wide(RX_RECORDING_MODULE).c_str(), true));
    EXPECT_FALSE(acrxLoadModule(path.c_str(), false, true));
    EXPECT_EQ(rxMessagesReceived(AcRx::kInitAppMsg), initsBefore + 1);
    EXPECT_TRUE(acrxUnloadModule(path.c_str()));
    EXPECT_TRUE(acrxUnloadModule(path.c_str()));
    EXPECT_TRUE(cadhost::moduleIsLoaded(path.c_str()));
    EXPECT_EQ(rxMessagesReceived(AcRx::kUnloadAppMsg), unloadsBefore);
    EXPECT_TRUE(cadhost::moduleIsMDIAware(path.c_str()));

    // The module is linked into this program too: what its service leads to
    // is the same module this program calls.
    const auto received =
        serviceExport<RxMessagesReceivedFunc>(L"RxRecordingService", L"rxMessagesReceived");
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(received(AcRx::kInitAppMsg), initsBefore + 1);
    EXPECT_EQ(acrxGetSymbolAddress(L"RxRecordingService", L"noSuchExport"), nullptr);

    EXPECT_TRUE(acrxUnloadModule(path.c_str()));
    EXPECT_FALSE(acrxUnloadModule(path.c_str()));
    EXPECT_EQ(rxMessagesReceived(AcRx::kUnloadAppMsg), unloadsBefore + 1);
    EXPECT_FALSE(cadhost::moduleIsLoaded(path.c_str()));
    EXPECT_EQ(acrxGetSymbolAddress(L"RxRecordingService", L"rxMessagesReceived"), nullptr);
}

TEST(ModuleLoadingTest, LockedModuleStaysLoaded)
{
    const std::wstring path = windowsPath(RX_LOCKED_MODULE);
    ASSERT_TRUE(acrxLoadModule(path.c_str(), false));
    EXPECT_FALSE(acrxUnloadModule(path.c_str()));
    EXPECT_TRUE(cadhost::moduleIsLoaded(path.c_str()));

    // Its own exports, not those of the same name that this program links.
    const auto name = serviceExport<RxServiceNameFunc>(L"RxLockedService", L"rxServiceName");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(std::wstring(name()), L"RxLockedService");
    const auto received =
        serviceExport<RxMessagesReceivedFunc>(L"RxLockedService", L"rxMessagesReceived");
    ASSERT_NE(received, nullptr);
    EXPECT_EQ(received(AcRx::kUnloadAppMsg), 0);
}

TEST(ModuleLoadingTest, WhatIsNoModuleIsRefusedQuietlyAndLeftUnloaded)
{
    const std::string notAModule = ::testing::TempDir() + "rx_not_a_module.dbx";
    std::ofstream(notAModule) << "not a shared object\n";
    const std::wstring refused[] = {
        L"C:\\Program Files\\Common Files\\Orvane\\Missing.dbx",
        windowsPath(notAModule),
        windowsPath(RX_CADHOST_LIBRARY), // a shared object without the module exports
        windowsPath(RX_WRONG_VERSION_MODULE),
    };
    for (const std::wstring& path : refused)
    {
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(acrxLoadModule(path.c_str(), false));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        EXPECT_FALSE(cadhost::moduleIsLoaded(path.c_str()));
    }
    EXPECT_FALSE(stillMapped(RX_WRONG_VERSION_MODULE));
    // The host itself was only looked at, not unloaded.
    EXPECT_NE(acrxSysRegistry(), nullptr);

    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(acrxLoadModule(refused[0].c_str(), true));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Missing.dbx"), std::string::npos);
}
} // namespace
