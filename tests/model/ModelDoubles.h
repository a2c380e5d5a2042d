// Stand-ins for the drawing-bound pieces, so the model can be tested without
// a drawing: blocks that log their calls and answer a chosen status, and a
// part and a simulation that can be constructed. Leaks and double frees of
// the trees built from them are left to the sanitizer build.
#pragma once

#include "model/CPmPart.h"
#include "model/CPmSim200.h"
#include "model/CZnBlock.h"

#include <sstream>
#include <string>
#include <vector>

namespace modeltest
{
using Log = std::vector<std::string>;

class TestBlock : public CZnBlock
{
public:
    TestBlock(std::string name, Log* log, int removeStatus = 0)
        : m_name(std::move(name)), m_log(log), m_removeStatus(removeStatus)
    {
    }

    void DisplayPrint(std::wstringstream& stream) const override
    {
        stream << L"[" << std::wstring(m_name.begin(), m_name.end()) << L"]";
    }
    int AddToDrawing(bool visible) override
    {
        record(visible ? "add visible " : "add hidden ");
        return 7;
    }
    int RemoveFromDrawing() override
    {
        record("remove ");
        return m_removeStatus;
    }

private:
    void record(const std::string& what)
    {
        if (m_log != nullptr)
            m_log->push_back(what + m_name);
    }

    std::string m_name;
    Log* m_log;
    int m_removeStatus;
};

class TestPart : public CPmPart
{
};

class TestSim : public CPmSim200
{
public:
    int Save() override { return 0; }
    int Update() override { return 0; }
    int Close() override { return 0; }
};

// A part whose block is a TestBlock of the given name and removal status.
inline TestPart* partWithBlock(const std::string& name, Log* log, int removeStatus = 0)
{
    auto* part = new TestPart();
    part->AddBlock(new TestBlock(name, log, removeStatus));
    return part;
}
} // namespace modeltest
