// Where the legacy suites find the previous release's module: in the product
// folder of the CommonProgramFiles tree that the build lays out beside the
// modules.
#pragma once

#include "tests/storage/StorageTest.h"

#include <filesystem>
#include <string>

inline std::filesystem::path CommonFilesDir()
{
    return BinDir() / ".." / "CommonProgramFiles";
}

inline std::wstring LegacyModulePath()
{
    return (CommonFilesDir() / "Orvane" / "ZnSim101_2007x64.dbx").wstring();
}
