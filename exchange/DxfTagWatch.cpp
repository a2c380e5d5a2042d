#include "exchange/DxfTagWatch.h"

#include <dxflib/dl_codes.h>

#include <array>
#include <charconv>
#include <cstring>

namespace
{
enum class ValueKind
{
    text,
    real,
    integer,
};

// The value types of the DXF group codes: reals and integers must parse,
// everything else is text (strings, names, handles).
ValueKind KindOf(int code)
{
    const auto within = [code](int low, int high) { return code >= low && code <= high; };
    if (within(10, 59) || within(110, 149) || within(210, 239) || within(460, 469) || within(1010, 1059))
        return ValueKind::real;
    if (within(60, 79) || within(90, 99) || within(160, 179) || within(270, 299) || within(370, 389) ||
        within(400, 409) || within(420, 429) || within(440, 459) || within(1060, 1071))
        return ValueKind::integer;
    return ValueKind::text;
}

std::string_view Trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

template <class T>
bool Parses(std::string_view text, T& value)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() && !text.empty();
}

bool ValueParses(int code, std::string_view value)
{
    double real = 0.0;
    long long integer = 0;
    switch (KindOf(code))
    {
    case ValueKind::real:
        return Parses(value, real);
    case ValueKind::integer:
        return Parses(value, integer);
    default:
        return true;
    }
}

bool OneOf(std::string_view type, std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (type == name)
            return true;
    return false;
}

// What is read of ENTITIES and the blocks; everything else there is counted
// as passed over. ATTRIB and ATTDEF (a block's attributes) are not taken.
bool Taken(std::string_view type)
{
    return OneOf(type, {"LINE", "CIRCLE", "ARC", "LWPOLYLINE", "POLYLINE", "VERTEX", "SEQEND", "INSERT", "TEXT",
                        "MTEXT", "ELLIPSE", "SPLINE", "POINT", "HATCH", "BLOCK", "ENDBLK", "ENDSEC", "EOF"});
}

// The table records a drawing holds; those that only mirror what it holds
// otherwise (a block's record, an application's name) or are settings of
// what it does not hold (the viewports the drawing is seen through, the
// styles of dimensions, which are counted themselves); the records of the
// other tables, named views and coordinate systems, are counted as passed
// over.
bool TakenInTables(std::string_view type)
{
    return OneOf(type, {"TABLE", "ENDTAB", "LAYER", "LTYPE", "STYLE", "BLOCK_RECORD", "APPID", "VPORT", "DIMSTYLE",
                        "ENDSEC", "EOF"});
}

// R12 to 2018, the versions whose entities the reader knows; older and
// newer files have sections or codes that mean other things.
bool VersionTaken(std::string_view version)
{
    static constexpr std::array<const char*, 9> kVersions = {"AC1009", "AC1012", "AC1014", "AC1015", "AC1018",
                                                             "AC1021", "AC1024", "AC1027", "AC1032"};
    for (const char* taken : kVersions)
        if (version == taken)
            return true;
    return false;
}

// The counts that dxflib sizes an array by before the items come, with what
// they count.
const char* CountedItems(std::string_view type, int code)
{
    if ((type == "LWPOLYLINE" && code == 90) || (type == "LEADER" && code == 76))
        return "vertices";
    if (type != "SPLINE")
        return nullptr;
    switch (code)
    {
    case 72:
        return "knots";
    case 73:
        return "control points";
    case 74:
        return "fit points";
    default:
        return nullptr;
    }
}

std::string Quoted(std::string_view text)
{
    constexpr std::size_t kShown = 40;
    return "\"" + std::string(text.substr(0, kShown)) + (text.size() > kShown ? "...\"" : "\"");
}
} // namespace

DxfTagWatch::DxfTagWatch(std::string_view text) : m_text(text) {}

void DxfTagWatch::Fail(const std::string& message) { Refuse("line " + std::to_string(m_line) + ": " + message); }

void DxfTagWatch::Refuse(const std::string& problem)
{
    if (m_problem.empty())
        m_problem = problem;
}

std::string_view DxfTagWatch::NextLine()
{
    const char* begin = m_text.data() + m_next;
    const void* newline = std::memchr(begin, '\n', m_text.size() - m_next);
    const std::size_t length =
        newline != nullptr ? static_cast<std::size_t>(static_cast<const char*>(newline) - begin) + 1
                           : m_text.size() - m_next;
    m_next += length;
    ++m_line;
    // dxflib reads a line into a buffer of its own size; one that does not
    // fit leaves its stream failed short of its end, and it reads on forever.
    constexpr std::size_t kLongestLine = DL_DXF_MAXLINE - 1;
    if (length - (newline != nullptr ? 1 : 0) > kLongestLine)
        Fail("the line is longer than the " + std::to_string(kLongestLine) + " characters a DXF line may have here");
    // A name cut short at a NUL names another record than the file meant,
    // or the same one however it is numbered.
    if (std::memchr(begin, '\0', length) != nullptr)
        Fail("a NUL character, which no line of a DXF holds");
    return {begin, length};
}

// One pair at a time: its code line and its value line go to dxflib
// together, unless the watch keeps the pair itself.
DxfTagWatch::int_type DxfTagWatch::underflow()
{
    while (m_problem.empty() && m_next < m_text.size())
    {
        const std::string_view code = NextLine();
        WatchCode(Trimmed(code.substr(0, code.find('\n'))));
        if (!m_problem.empty())
            break;
        std::string_view pair = code;
        if (m_next < m_text.size())
        {
            const std::string_view value = NextLine();
            std::string_view line = value.substr(0, value.find('\n'));
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            m_untrimmed = line;
            if (KeptVertex(Trimmed(line)))
                continue;
            pair = std::string_view(code.data(), code.size() + value.size());
        }
        if (!m_problem.empty())
            break;
        char* start = const_cast<char*>(pair.data());
        setg(start, start, start + pair.size());
        return traits_type::to_int_type(*start);
    }
    return traits_type::eof();
}

bool DxfTagWatch::KeptVertex(std::string_view value)
{
    const bool vertexCode = m_code == 10 || m_code == 20 || m_code == 40 || m_code == 41 || m_code == 42;
    if (!vertexCode || m_current.type != "LWPOLYLINE")
    {
        WatchValue(value);
        return false;
    }
    double number = 0.0;
    if (!Parses(value, number))
    {
        WatchValue(value);
        return false;
    }
    std::vector<DxfVertex>& vertices = m_current.vertices;
    if (m_code == 10)
        vertices.push_back({number, 0.0, 0.0});
    else if (vertices.empty())
        m_current.pairs.push_back({m_code, value, m_line});
    else if (m_code == 20)
        vertices.back().y = number;
    else if (m_code == 40)
        vertices.back().startWidth = number;
    else if (m_code == 41)
        vertices.back().endWidth = number;
    else
        vertices.back().bulge = number;
    return true;
}

void DxfTagWatch::WatchCode(std::string_view text)
{
    if (!Parses(text, m_code) || m_code < 0)
    {
        Fail(m_first ? "not a DXF file: it starts with " + Quoted(text) + ", not a group code"
                     : Quoted(text) + " is not a group code");
        return;
    }
    if (m_first && m_code != 0 && m_code != 999)
        Fail("not a DXF file: it starts with group code " + std::to_string(m_code) + ", not a section");
}

void DxfTagWatch::WatchValue(std::string_view value)
{
    if (m_first && m_code == 0 && value != "SECTION")
        Fail("not a DXF file: it starts with " + Quoted(value) + ", not a section");
    if (m_code != 999)
        m_first = false;
    if (!ValueParses(m_code, value))
        return Fail("group code " + std::to_string(m_code) + " has the value " + Quoted(value) +
                    ", which is not a number");
    if (m_code == 0)
        return BeginEntity(value);
    if (const char* items = CountedItems(m_current.type, m_code))
        WatchCount(items, value);
    if (m_code == 2 && m_sectionNameFollows)
    {
        m_inEntitySection = value == "ENTITIES" || value == "BLOCKS";
        m_inTables = value == "TABLES";
        m_inObjects = value == "OBJECTS";
    }
    m_sectionNameFollows = false;
    // A text's words (codes 1 and 3) keep the spaces around them; they are
    // part of what it says. Names and handles do not.
    if (m_inEntitySection || m_inTables)
        m_current.pairs.push_back({m_code, m_code == 1 || m_code == 3 ? m_untrimmed : value, m_line});
    if (m_code == 9)
        m_versionFollows = value == "$ACADVER";
    else if (m_code == 1 && m_versionFollows)
    {
        m_versionFollows = false;
        m_version = value;
        if (!VersionTaken(value))
            Fail("DXF version " + Quoted(value) + " is not supported (R12 to 2018: AC1009 to AC1032)");
    }
    else if (m_code == 67)
        m_current.paperSpace = value == "1";
}

// Each item counted takes at least a pair of lines of three bytes after the
// count: a count that the rest of the file cannot hold is refused before
// dxflib believes it and asks for gigabytes.
void DxfTagWatch::WatchCount(const char* items, std::string_view value)
{
    long long count = 0;
    Parses(value, count);
    constexpr std::size_t kShortestPair = 3;
    if (count >= 0 && static_cast<unsigned long long>(count) <= (m_text.size() - m_next) / kShortestPair)
        return;
    Fail(m_current.type + " says it has " + std::string(value) + " " + items +
         (count < 0 ? ", fewer than none" : ", more than the rest of the file holds"));
}

void DxfTagWatch::BeginEntity(std::string_view type)
{
    // The finished entity's storage is taken over by the next, so that its
    // vectors keep their room.
    std::swap(m_finished, m_current);
    m_current.type.assign(type);
    m_current.line = m_line - 1;
    m_current.paperSpace = false;
    m_current.pairs.clear();
    m_current.vertices.clear();
    m_sectionNameFollows = type == "SECTION";
    if (type == "SECTION")
        m_inEntitySection = m_inTables = m_inObjects = false;
    if (type == "EOF")
        m_sawEnd = true;
    // Of the objects, groups alone are the user's drawing; the rest are
    // settings and applications' data that no entity depends on.
    if ((m_inEntitySection && !Taken(type)) || (m_inTables && !TakenInTables(type)) ||
        (m_inObjects && type == "GROUP"))
        ++m_unread[std::string(type)];
}
