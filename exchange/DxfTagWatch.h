// The lines of a DXF as dxflib reads them, watched on their way in. dxflib
// reads group codes and values through this stream buffer, one line at a
// time, and the watch checks each pair as it passes: a group code that is
// not a number, a value that does not parse for its code (dxflib would read
// it as 0), a file that does not start as a DXF, a version not taken. It
// also keeps what dxflib's callbacks do not give: every pair of each entity
// and table record with the line it is on (so that what the record holds is
// read from its own pairs, and what is not taken can be counted), the line
// each one starts on, and which entity types and table records went by that
// nothing takes. It refuses a count of vertices, knots or points that the
// rest of the file cannot hold, which dxflib would otherwise allocate, and a
// line too long for dxflib's buffer.
//
// dxflib reads each real through a new string stream, which costs more than
// all the rest of reading: so the vertices of LWPOLYLINEs, the bulk of a
// drawing of simulations, are kept here as they are checked, and dxflib is
// handed each LWPOLYLINE without them (it then reports no vertices for it).
//
// On the first problem the stream ends, so dxflib stops reading there;
// Problem() then says what went wrong, naming the line.
#pragma once

#include "exchange/DxfDrawing.h"

#include <cstddef>
#include <map>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

// A group code and its value as the file has it (trimmed), and its line.
struct DxfPair
{
    int code = 0;
    std::string_view value;
    std::size_t line = 0;
};

class DxfTagWatch : public std::streambuf
{
public:
    // What the watch knows of an entity of the ENTITIES or BLOCKS section,
    // or a record of the TABLES section.
    struct Entity
    {
        std::string type;
        std::size_t line = 0;
        bool paperSpace = false;
        // Every pair after its type, but an LWPOLYLINE's vertices.
        std::vector<DxfPair> pairs;
        // Of an LWPOLYLINE.
        std::vector<DxfVertex> vertices;
    };

    explicit DxfTagWatch(std::string_view text);

    // dxflib reports an entity once the next one has begun: so its callbacks
    // ask for the entity before the current one.
    const Entity& Finished() const { return m_finished; }
    std::vector<DxfVertex> TakeFinishedVertices() { return std::move(m_finished.vertices); }
    const std::string& Version() const { return m_version; }
    bool SawEnd() const { return m_sawEnd; }
    std::size_t Line() const { return m_line; }
    // Types that go by unread, counted.
    const std::map<std::string, std::size_t>& Unread() const { return m_unread; }

    // Stops the reading at the current line with message.
    void Fail(const std::string& message);
    // Stops it with a problem that names its line itself.
    void Refuse(const std::string& problem);
    const std::string& Problem() const { return m_problem; }

protected:
    int_type underflow() override;

private:
    std::string_view NextLine();
    // Whether the pair of the current code and value is an LWPOLYLINE's
    // vertex, kept here; other pairs are watched.
    bool KeptVertex(std::string_view value);
    void WatchCode(std::string_view text);
    void WatchValue(std::string_view value);
    // The value of a count that dxflib sizes an array by.
    void WatchCount(const char* items, std::string_view value);
    void BeginEntity(std::string_view type);

    std::string_view m_text;
    std::size_t m_next = 0;
    std::size_t m_line = 0;
    // The code of the pair being read, and its value as the line has it.
    int m_code = 0;
    std::string_view m_untrimmed;
    bool m_first = true;

    bool m_inEntitySection = false;
    bool m_inTables = false;
    bool m_inObjects = false;
    bool m_versionFollows = false;
    bool m_sectionNameFollows = false;
    std::string m_version;
    bool m_sawEnd = false;
    Entity m_current;
    Entity m_finished;
    std::map<std::string, std::size_t> m_unread;
    std::string m_problem;
};
