#include "app/HostSession.h"

#include "app/ExitStatus.h"
#include "cadhost/HostDiagnostics.h"
#include "cadhost/Utf8Text.h"
#include "host/AcRxDynamicLinker.h"

#include <cstdlib>
#include <system_error>

#include <signal.h>

namespace
{
namespace fs = std::filesystem;

const char* const kCommonFiles = "CommonProgramFiles";

// The program's own folder: the build and an installation both put the
// module beside it and the common program files folder next to that.
fs::path ProgramFolder()
{
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path() : program.parent_path();
}

// File names are UTF-8 here and wide text in the host's calls.
std::wstring HostPath(const std::string& file)
{
    return cadhost::fromUtf8(file);
}

Failure ReadFailure(const std::string& file, Acad::ErrorStatus status)
{
    switch (status)
    {
    case Acad::eFileNotFound:
        return {FailureKind::io, file + ": no such file"};
    case Acad::eFileAccessErr:
        return {FailureKind::io, file + ": cannot be read (no permission, a folder, or an I/O error)"};
    case Acad::eBadDwgHeader:
        return {FailureKind::badInput, file + ": not a drawing file"};
    case Acad::eEndOfFile:
        return {FailureKind::badInput, file + ": the drawing is cut short"};
    case Acad::eDwgCRCDoesNotMatch:
        return {FailureKind::badInput, file + ": the drawing is damaged (a checksum does not match)"};
    case Acad::eInvalidDwgVersion:
        return {FailureKind::badInput, file + ": a drawing of an unknown format version"};
    case Acad::eDwgObjectImproperlyRead:
        return {FailureKind::badInput, file + ": the drawing is damaged (its tables contradict themselves)"};
    default:
        return {FailureKind::internal,
                file + ": cannot be read (host status " + std::to_string(status) + ")"};
    }
}

Failure SaveFailure(const std::string& file, Acad::ErrorStatus status)
{
    switch (status)
    {
    case Acad::eOutOfDisk:
        return {FailureKind::io, file + ": cannot be saved: the disk is full"};
    case Acad::eFileAccessErr:
        return {FailureKind::io, file + ": cannot be saved: the file or its folder cannot be written"};
    default:
        return {FailureKind::internal,
                file + ": cannot be saved (host status " + std::to_string(status) + ")"};
    }
}

// Holds back the signals that end a process from a terminal or a service
// manager, and lets them through when it goes.
class DeferredTermination
{
public:
    DeferredTermination()
    {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT})
            sigaddset(&held, signal);
        sigprocmask(SIG_BLOCK, &held, &m_previous);
    }
    ~DeferredTermination() { sigprocmask(SIG_SETMASK, &m_previous, nullptr); }
    DeferredTermination(const DeferredTermination&) = delete;
    DeferredTermination& operator=(const DeferredTermination&) = delete;

private:
    sigset_t m_previous;
};
} // namespace

HostSession::HostSession()
{
    const fs::path commonFiles = ProgramFolder().parent_path() / kCommonFiles;
    setenv(kCommonFiles, commonFiles.c_str(), 0);
    if (!acrxLoadModule(HostPath(ModuleFile().string()).c_str(), false))
        throw Failure(FailureKind::internal,
                             ModuleFile().string() + ": the module cannot be loaded");
}

HostSession::~HostSession()
{
    CloseDrawing();
    acrxUnloadModule(HostPath(ModuleFile().string()).c_str());
}

AcDbDatabase& HostSession::Open(const std::string& file)
{
    CloseDrawing();
    auto drawing = std::make_unique<AcDbDatabase>(false, true);
    const Acad::ErrorStatus status = drawing->readDwgFile(HostPath(file).c_str());
    if (status != Acad::eOk)
        throw ReadFailure(file, status);
    return MakeWorking(std::move(drawing));
}

AcDbDatabase& HostSession::Create()
{
    CloseDrawing();
    return MakeWorking(std::make_unique<AcDbDatabase>());
}

void HostSession::Save(const std::string& file)
{
    const DeferredTermination deferred;
    const Acad::ErrorStatus status = m_drawing->saveAs(HostPath(file).c_str());
    if (status != Acad::eOk)
        throw SaveFailure(file, status);
}

fs::path ModuleFile()
{
    return ProgramFolder() / "ZnSim200_2007x64.dbx";
}

fs::path VehicleLibrary()
{
    return ProgramFolder().parent_path() / "vehicles";
}

fs::path LegacyModuleFile()
{
    const char* commonFiles = std::getenv(kCommonFiles);
    return fs::path(commonFiles != nullptr ? commonFiles : "") / "Orvane" / "ZnSim101_2007x64.dbx";
}

bool LegacyModuleLoaded()
{
    return cadhost::moduleIsLoaded(HostPath(LegacyModuleFile().string()).c_str());
}

AcDbDatabase& HostSession::MakeWorking(std::unique_ptr<AcDbDatabase> drawing)
{
    m_drawing = std::move(drawing);
    acdbHostApplicationServices()->setWorkingDatabase(m_drawing.get());
    return *m_drawing;
}

void HostSession::CloseDrawing()
{
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    m_drawing.reset();
}
