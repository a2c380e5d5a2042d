#include "fuzz/FuzzedReaders.h"

#include "app/SimDescription.h"
#include "cadhost/HostDiagnostics.h"
#include "drawing/Failure.h"
#include "exchange/DxfFileReader.h"
#include "exchange/DxfToDrawing.h"
#include "kinematics/Drive.h"
#include "kinematics/PathFile.h"
#include "kinematics/VehicleFile.h"
#include "fuzz/DrawingFileSeal.h"
#include "fuzz/FuzzHost.h"
#include "fuzz/RecordRoundTrip.h"
#include "host/AcDbDatabase.h"
#include "host/legacy101/CPmAcadSim.h"
#include "host/legacy101/CPmDbxFactory.h"
#include "storage/CPmAcadSim200.h"
#include "storage/CPmDbxFactory200.h"
#include "storage/CPmSimList200.h"

#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

namespace fuzz
{
namespace
{
// Records carry local times; one zone keeps every run the same.
void inOneTimeZone()
{
    static const bool set = [] {
        setenv("TZ", "UTC0", 1);
        tzset();
        return true;
    }();
    (void)set;
}

void listAndUpgrade(AcDbDatabase& drawing)
{
    acdbHostApplicationServices()->setWorkingDatabase(&drawing);
    delete CPmDbxFactory200::LoadSimList(true, true);
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
}
} // namespace

void readDrawingFile(const std::uint8_t* data, std::size_t size)
{
    static const bool loaded = (loadModules(), true);
    (void)loaded;
    static MemoryFile file;
    const long liveBefore = cadhost::liveDatabaseObjects();
    std::vector<std::uint8_t> bytes(data, data + size);
    sealDrawingFile(bytes);
    const std::string& path = file.hold(bytes.data(), bytes.size());
    {
        AcDbDatabase drawing(false, true);
        if (drawing.readDwgFile(std::wstring(path.begin(), path.end()).c_str()) == Acad::eOk)
            listAndUpgrade(drawing);
    }
    checkHostDiagnostics(liveBefore);
}

void readSimRecord(const std::uint8_t* data, std::size_t size)
{
    inOneTimeZone();
    readRecord(data, size, [] { return std::make_unique<CPmAcadSim200>(); });
}

void readLegacySimRecord(const std::uint8_t* data, std::size_t size)
{
    inOneTimeZone();
    readRecord(data, size, [] {
        return std::unique_ptr<CPmAcadSim>(static_cast<CPmAcadSim*>(CPmDbxFactory::MakeSim(0, 0)));
    });
}

void readSimDescription(const std::uint8_t* data, std::size_t size)
{
    static MemoryFile file;
    try
    {
        ReadSimDescription(file.hold(data, size));
    }
    catch (const Failure&)
    {
        // A refusal, with its message: what a bad description must give.
    }
}

// A new drawing, the working one while it lasts.
struct WorkingDrawing
{
    WorkingDrawing() { acdbHostApplicationServices()->setWorkingDatabase(&drawing); }
    ~WorkingDrawing() { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }
    WorkingDrawing(const WorkingDrawing&) = delete;
    WorkingDrawing& operator=(const WorkingDrawing&) = delete;

    AcDbDatabase drawing;
};

void readDxf(const std::uint8_t* data, std::size_t size)
{
    const long liveBefore = cadhost::liveDatabaseObjects();
    try
    {
        const DxfDrawing dxf = ReadDxf(std::string_view(reinterpret_cast<const char*>(data), size));
        const WorkingDrawing into;
        CheckDxfImport(dxf);
        static_cast<void>(ImportDxf(dxf, true));
    }
    catch (const Failure&)
    {
        // A refusal, with its message: what a bad DXF must give.
    }
    checkHostDiagnostics(liveBefore);
}
void readDriveDescription(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    try
    {
        static_cast<void>(ParseVehicle(text, "vehicle.json"));
    }
    catch (const Failure&)
    {
        // A refusal, with its message: what a bad vehicle must give.
    }
    try
    {
        const DrivePath path = ParseDrivePath(text, "path.json");
        Vehicle car;
        car.lock = 0.5;
        car.lockToLock = 4.0;
        car.units.push_back({"car", 2.0, 5.0, 1.0, 3.0, 1.0, {}, std::nullopt});
        double length = 0.0;
        for (const PathPart& part : path.parts)
            length += part.Length();
        static_cast<void>(DriveAlong(car, path, {std::max(0.25, length / 1e4), {3.0, 0.0}, 10.0, 1}));
    }
    catch (const Failure&)
    {
        // A path the car cannot drive, refused with its message.
    }
}
} // namespace fuzz
