#include "drawing/JsonReader.h"

#include <climits>
#include <cmath>

namespace
{
// The parser's own message without its exception tag ("[json.exception...] ").
std::string ParserMessage(const nlohmann::json::exception& error)
{
    const std::string message = error.what();
    const std::size_t tagEnd = message.find("] ");
    return tagEnd == std::string::npos ? message : message.substr(tagEnd + 2);
}
} // namespace

nlohmann::json ParseJson(const std::string& text, const std::string& document)
{
    try
    {
        return nlohmann::json::parse(text);
    }
    catch (const nlohmann::json::exception& error)
    {
        throw JsonFieldError(document + ": not valid JSON: " + ParserMessage(error), "");
    }
}

std::string JsonReader::Member(const std::string& where, const char* key)
{
    return where.empty() ? key : where + "." + key;
}

std::string JsonReader::Element(const std::string& where, std::size_t index)
{
    return where + "[" + std::to_string(index) + "]";
}

void JsonReader::Fail(const std::string& where, const std::string& what) const
{
    const std::string field = where.empty() ? "" : where + ": ";
    throw JsonFieldError(m_document + ": " + field + what, where);
}

void JsonReader::Expect(bool good, const json& value, const std::string& where, const char* expected) const
{
    if (!good)
        Fail(where, std::string("expected ") + expected + ", got " + value.type_name());
}

const JsonReader::json& JsonReader::Object(const json& value, const std::string& where,
                                           std::initializer_list<const char*> keys) const
{
    Expect(value.is_object(), value, where, "an object");
    for (const auto& member : value.items())
    {
        bool known = false;
        for (const char* key : keys)
            known = known || member.key() == key;
        if (!known)
            Fail(Member(where, member.key().c_str()), "not a field of this description");
    }
    return value;
}

const JsonReader::json& JsonReader::Required(const json& object, const std::string& where, const char* key) const
{
    const auto found = object.find(key);
    if (found == object.end())
        Fail(Member(where, key), "missing");
    return *found;
}

const JsonReader::json* JsonReader::Optional(const json& object, const char* key)
{
    const auto found = object.find(key);
    return found != object.end() ? &*found : nullptr;
}

const JsonReader::json& JsonReader::Array(const json& value, const std::string& where) const
{
    Expect(value.is_array(), value, where, "an array");
    return value;
}

double JsonReader::Number(const json& value, const std::string& where) const
{
    Expect(value.is_number(), value, where, "a number");
    const double number = value.get<double>();
    if (!std::isfinite(number))
        Fail(where, "not a finite number");
    return number;
}

int JsonReader::Integer(const json& value, const std::string& where) const
{
    Expect(value.is_number_integer(), value, where, "a whole number");
    const bool fits = value.is_number_unsigned() ? value.get<unsigned long long>() <= INT_MAX
                                                 : value.get<long long>() >= INT_MIN;
    if (!fits)
        Fail(where, "out of the range of a 32-bit integer");
    return value.get<int>();
}

std::string JsonReader::Text(const json& value, const std::string& where) const
{
    Expect(value.is_string(), value, where, "a string");
    return value.get<std::string>();
}

std::array<double, 3> JsonReader::Triple(const json& value, const std::string& where) const
{
    Expect(value.is_array(), value, where, "an array of three numbers");
    if (value.size() != 3)
        Fail(where, "expected three numbers, got " + std::to_string(value.size()));
    return {Number(value[0], Element(where, 0)), Number(value[1], Element(where, 1)),
            Number(value[2], Element(where, 2))};
}
