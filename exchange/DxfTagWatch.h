// The lines of a DXF as dxflib reads them, watched on their way in. dxflib
// reads group codes and values through this stream buffer, one line at a
// time, and the watch checks each pair as it passes: a group code that is
// not a number, a value that does not parse for its code (dxflib would read
// it as 0), a file that does not start as a DXF, a version not taken. It
// also keeps what dxflib's callbacks do not give: the line each entity
// starts on, its handle as written, whether it is in paper space or
// invisible, and which entity types went by that nothing takes.
//
// On the first problem the stream ends, so dxflib stops reading there;
// Problem() then says what went wrong, naming the line.
#pragma once

#include <cstddef>
#include <map>
#include <streambuf>
#include <string>
#include <string_view>

class DxfTagWatch : public std::streambuf
{
public:
    // What the watch knows of an entity of the ENTITIES or BLOCKS section.
    struct Entity
    {
        std::string type;
        std::string handle;
        std::size_t line = 0;
        bool paperSpace = false;
        bool visible = true;
    };

    explicit DxfTagWatch(std::string_view text);

    // dxflib reports an entity once the next one has begun: so its callbacks
    // ask for the entity before the current one.
    const Entity& Finished() const { return m_finished; }
    const std::string& Version() const { return m_version; }
    bool SawEnd() const { return m_sawEnd; }
    std::size_t Line() const { return m_line; }
    // Types that go by unread, counted.
    const std::map<std::string, std::size_t>& Unread() const { return m_unread; }

    // Stops the reading at the current line with message.
    void Fail(const std::string& message);
    const std::string& Problem() const { return m_problem; }

protected:
    int_type underflow() override;

private:
    void Watch(std::string_view line);
    void WatchCode(std::string_view text);
    void WatchValue(std::string_view value);
    void BeginEntity(std::string_view type);

    std::string_view m_text;
    std::size_t m_next = 0;
    std::size_t m_line = 0;
    // The pair being read: its code, once its code line has gone by.
    bool m_haveCode = false;
    int m_code = 0;
    bool m_first = true;

    std::string m_section;
    bool m_inEntitySection = false;
    bool m_versionFollows = false;
    bool m_sectionNameFollows = false;
    std::string m_version;
    bool m_sawEnd = false;
    Entity m_current;
    Entity m_finished;
    std::map<std::string, std::size_t> m_unread;
    std::string m_problem;
};
