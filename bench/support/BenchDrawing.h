// What the benchmark programs build their measurements on: paths of varied
// placements, simulations made the way a caller makes them, the working
// drawing, and a count of the bytes a simulation's records take in memory.
#pragma once

#include "host/AcDbDatabase.h"
#include "host/CString.h"
#include "model/PmPosition200.h"

#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CPmSim200;

namespace bench
{
// Positions along a line, each turned a little further about all three axes,
// so that the Euler conversions see ordinary angles.
std::vector<PmPosition200> MakePath(std::size_t positions);

// A simulation of one section whose one segment moves a part without a block
// along path; named, in no drawing, the caller's.
CPmSim200* MakeSim(const CString& name, unsigned __int64 id, const std::vector<PmPosition200>& path);

// Stores count simulations of path in the working drawing, named "Sim 0"
// onwards, with identifiers from firstId on.
void StoreSims(int count, const std::vector<PmPosition200>& path, unsigned __int64 firstId);

// The bytes the records of a simulation take in memory: the simulation
// object, and each section, segment, position, part and block at its size.
// Text and the vectors' own bookkeeping are left out.
std::size_t RecordBytes(const CPmSim200& sim);

// A new default drawing (or, when empty, one to read a file into), the
// working one for as long as it lives, and the one that was working before
// it again after; the simulation class is registered.
class WorkingDrawing
{
public:
    explicit WorkingDrawing(bool empty = false);
    ~WorkingDrawing();
    WorkingDrawing(const WorkingDrawing&) = delete;
    WorkingDrawing& operator=(const WorkingDrawing&) = delete;

    AcDbDatabase& database() { return *m_database; }

private:
    AcDbDatabase* m_database;
    AcDbDatabase* m_before;
};

// A drawing kept across a benchmark's repetitions made the working one
// again for as long as this lives, whatever another benchmark made working
// since.
class WorkingAgain
{
public:
    explicit WorkingAgain(WorkingDrawing& drawing);
    ~WorkingAgain();
    WorkingAgain(const WorkingAgain&) = delete;
    WorkingAgain& operator=(const WorkingAgain&) = delete;

private:
    AcDbDatabase* m_before;
};

// One T made from each size on first use and kept for the program's run:
// the drawings a benchmark measures at several sizes.
template <class T> T& PerSize(std::size_t size)
{
    static std::map<std::size_t, std::unique_ptr<T>> made;
    std::unique_ptr<T>& one = made[size];
    if (!one)
        one = std::make_unique<T>(size);
    return *one;
}

// A path for a scratch file of this process in the temporary folder.
std::wstring TemporaryPath(const std::wstring& stem);
std::string Narrow(const std::wstring& path);
} // namespace bench
