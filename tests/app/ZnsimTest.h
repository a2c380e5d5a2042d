// End-to-end tests run the built znsim as a person would, on real files in a
// folder of their own, and look at what it wrote through the module's own
// API, with the module (and through it the previous release's module) loaded
// in the test as znsim loads them.
#pragma once

#include "host/CString.h"
#include "tests/support/BlockDrawingTest.h"
#include "tests/support/TempFolder.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

// How a run of znsim ended and what it printed.
struct ZnsimRun
{
    int status = -1;
    std::string out;
    std::string err;
};

class ZnsimTest : public BlockDrawingTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs znsim in the test's folder; runs from several threads overlap.
    ZnsimRun Run(const std::vector<std::string>& args) const;
    // The report of a command run with --json, which must succeed.
    nlohmann::json RunJson(std::vector<std::string> args) const;
    std::filesystem::path File(const std::string& name) const { return m_files / name; }
    // Every file of the test's folder by name, with its bytes: a command
    // leaves no lock file behind either.
    std::map<std::string, std::string> Folder() const;
    // Runs "znsim demo demo.zdw"; its drawing.
    std::filesystem::path Demo() const;
    // Stores in demo.zdw, through "znsim new --from", a simulation of the
    // demo's parked car (21), its text "NAME's car", driven along y = lane
    // from x0 to x1, facing its way, at kmh.
    void DriveCar(const std::string& name, double x0, double x1, double kmh, double lane = 100.0) const;
    // Runs "znsim demo" into name and adds, through the module as another
    // caller may, "Old convoy" and "Old shuttle": simulations whose one part
    // each copies the parked tractor (27) without a definition of its own,
    // so that the three share "Tractor". The drawing.
    std::filesystem::path SharedDrawing(const std::string& name);
    // Reads file into a fresh working drawing.
    void Read(const std::filesystem::path& file);
    // The name of the block definition that the block reference of handle
    // shows in the working drawing.
    std::wstring DefinitionOf(AcDbHandle handle);
    // The names of the working drawing's simulations, in list order.
    static std::vector<CString> SimulationNames();
    // What a page of znsim view carries as its scene, parsed; discarded
    // when there is none.
    static nlohmann::json PageScene(const std::string& page);
    // The classes of a still's elements, in the order they are drawn.
    static std::vector<std::string> StillClasses(const std::string& svg);

    TempFolder m_files;
};
