// Reading a JSON document field by field, as descriptions of simulations
// and vehicles are read: every check fails with a JsonFieldError naming the
// document and the field by its path ("convoy.json:
// sections[1].segments[0].part.block: expected a string, got number"), so a
// person can find what to mend. An empty path stands for the document as a
// whole.
#pragma once

#include "drawing/Failure.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>

class JsonFieldError : public Failure
{
public:
    JsonFieldError(const std::string& message, std::string field)
        : Failure(FailureKind::badInput, message), m_field(std::move(field))
    {
    }

    const std::string& Field() const { return m_field; }

private:
    std::string m_field;
};

// The document in text; a JsonFieldError for the whole document when it
// is not JSON ("convoy.json: not valid JSON: ...").
[[nodiscard]] nlohmann::json ParseJson(const std::string& text, const std::string& document);

class JsonReader
{
public:
    using json = nlohmann::json;

    // document names the document in messages (its file).
    explicit JsonReader(std::string document) : m_document(std::move(document)) {}

    static std::string Member(const std::string& where, const char* key);
    static std::string Element(const std::string& where, std::size_t index);

    [[noreturn]] void Fail(const std::string& where, const std::string& what) const;
    void Expect(bool good, const json& value, const std::string& where, const char* expected) const;

    // An object holding no keys but those given: a misspelt optional field
    // would otherwise pass unnoticed.
    const json& Object(const json& value, const std::string& where, std::initializer_list<const char*> keys) const;
    // object[key], which must be there; where is the object's path.
    const json& Required(const json& object, const std::string& where, const char* key) const;
    // object[key], or null when it is not there.
    static const json* Optional(const json& object, const char* key);
    const json& Array(const json& value, const std::string& where) const;
    // Finite numbers only.
    double Number(const json& value, const std::string& where) const;
    // A whole number in the range of a 32-bit int.
    int Integer(const json& value, const std::string& where) const;
    // A string, as the UTF-8 it is.
    std::string Text(const json& value, const std::string& where) const;
    // An array of exactly three numbers: a dropped fourth, or a missing
    // third made 0, would pass unnoticed.
    std::array<double, 3> Triple(const json& value, const std::string& where) const;

private:
    std::string m_document;
};
