// Stand-ins for the drawing-bound pieces, so the model can be tested without
// a drawing: blocks that log their calls and answer a chosen status, a part
// and a simulation that can be constructed, and a count of live doubles to
// tell that owners free what they own.
#pragma once

#include "model/CPmPart.h"
#include "model/CPmSim200.h"
#include "model/CZnBlock.h"

#include <sstream>
#include <string>
#include <vector>

namespace modeltest
{
struct Log
{
    std::vector<std::string> calls;
};

// Objects of the doubles below now alive.
inline int g_live = 0;

class TestBlock : public CZnBlock
{
public:
    TestBlock(std::string name, Log* log, int removeStatus = 0)
        : m_name(std::move(name)), m_log(log), m_removeStatus(removeStatus)
    {
        ++g_live;
    }
    ~TestBlock() override { --g_live; }

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
            m_log->calls.push_back(what + m_name);
    }

    std::string m_name;
    Log* m_log;
    int m_removeStatus;
};

class TestPart : public CPmPart
{
public:
    TestPart() { ++g_live; }
    ~TestPart() override { --g_live; }
    const CString& Text() const { return m_text; }
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
