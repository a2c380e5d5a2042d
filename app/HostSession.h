// The host side of one znsim run. It loads the module by path, as a host
// does, so that the module's start-up runs (and loads the previous release's
// module in turn); it keeps one drawing as the working database; and it
// saves that drawing atomically. Every failure is a Failure whose
// message names the file.
#pragma once

#include "host/AcDbDatabase.h"

#include <filesystem>
#include <memory>
#include <string>

class HostSession
{
public:
    // When "CommonProgramFiles" is not set, names the folder an installer
    // would have put beside the program, so that the module finds the
    // previous release's module there; a user's own setting is kept.
    HostSession();
    // The drawing goes first: its objects need the module's classes.
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    // Reads file into a new database that becomes the working one, in place
    // of the drawing held before.
    AcDbDatabase& Open(const std::string& file);
    // A new default drawing as the working one.
    AcDbDatabase& Create();
    // Writes the working drawing to file. The host replaces the file in one
    // step; interruptions wait until it has, so the old drawing is either
    // left whole or replaced whole, and no temporary file stays behind.
    void Save(const std::string& file);


private:
    AcDbDatabase& MakeWorking(std::unique_ptr<AcDbDatabase> drawing);
    void CloseDrawing();

    std::unique_ptr<AcDbDatabase> m_drawing;
};

// The module's file, beside the program, as an installer puts it.
std::filesystem::path ModuleFile();
// The library of design vehicles, in the folder "vehicles" beside the
// program's folder, as an installer puts it (and the build).
std::filesystem::path VehicleLibrary();
// Where the module looks for the previous release's module.
std::filesystem::path LegacyModuleFile();
bool LegacyModuleLoaded();
