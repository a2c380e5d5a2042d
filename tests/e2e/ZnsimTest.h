// End-to-end tests run the built znsim on real files in a folder of their
// own, and look at what it wrote through the module's own API, with the
// module (and through it the previous release's module) loaded in the test
// as znsim loads them.
#pragma once

#include "host/CString.h"
#include "tests/e2e/ZnsimRun.h"
#include "tests/support/BlockDrawingTest.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>
#include <vector>

class ZnsimTest : public BlockDrawingTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    ZnsimRun Run(const std::vector<std::string>& args) const { return RunZnsim(m_folder, args); }
    // The report of a command run with --json, which must succeed.
    nlohmann::json RunJson(std::vector<std::string> args) const;
    std::filesystem::path File(const std::string& name) const { return m_folder / name; }
    // Runs "znsim demo demo.zdw"; its drawing.
    std::filesystem::path Demo() const;
    // Reads file into a fresh working drawing.
    void Read(const std::filesystem::path& file);
    static std::string Bytes(const std::filesystem::path& file);
    // The block definition that the block reference of handle shows in the
    // working drawing; empty when the handle names no block reference.
    std::wstring DefinitionOf(AcDbHandle handle) const;
    // The names of the working drawing's simulations, in list order.
    static std::vector<CString> SimulationNames();

    std::filesystem::path m_folder;
};
