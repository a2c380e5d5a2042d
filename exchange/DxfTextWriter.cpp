#include "exchange/DxfTextWriter.h"

#include <charconv>
#include <cstdio>

namespace
{
// DL_WriterA opens a file of the name it is given; this writer never writes
// through that stream, so it is given the null device.
constexpr const char* kUnusedStream = "/dev/null";
} // namespace

DxfTextWriter::DxfTextWriter(DL_Codes::version dxfVersion) : DL_WriterA(kUnusedStream, dxfVersion) {}

void DxfTextWriter::Code(int gc) const
{
    // Group codes right-aligned in three columns, as DXF writers do.
    char buffer[16];
    const int length = std::snprintf(buffer, sizeof buffer, "%3d\n", gc);
    m_text.append(buffer, static_cast<std::size_t>(length));
}

void DxfTextWriter::dxfReal(int gc, double value) const
{
    Code(gc);
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    m_text.append(text);
    // A real that happens to be whole still looks like one.
    if (text.find_first_of(".eEn") == std::string_view::npos)
        m_text.append(".0");
    m_text.push_back('\n');
}

void DxfTextWriter::dxfInt(int gc, int value) const
{
    Code(gc);
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_text.append(buffer, result.ptr);
    m_text.push_back('\n');
}

void DxfTextWriter::dxfHex(int gc, int value) const
{
    Code(gc);
    char buffer[16];
    const int length = std::snprintf(buffer, sizeof buffer, "%X\n", static_cast<unsigned int>(value));
    m_text.append(buffer, static_cast<std::size_t>(length));
}

void DxfTextWriter::dxfString(int gc, const char* value) const
{
    Code(gc);
    m_text.append(value);
    m_text.push_back('\n');
}

void DxfTextWriter::dxfString(int gc, const std::string& value) const
{
    dxfString(gc, value.c_str());
}
