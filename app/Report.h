// What a command reports: one JSON value, which --json prints as it is and
// which is otherwise rendered as text. The text is made from that value
// alone, by the function the command names for it, and never beside it: the
// two printings cannot then drift apart.
#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <string>
#include <utility>

class Report
{
public:
    Report(nlohmann::json data, std::string (*text)(const nlohmann::json&))
        : m_data(std::move(data)), m_text(text)
    {
    }

    // For a text that also says what the JSON leaves out, such as the name
    // that was asked for when nothing changed: extra goes to text beside the
    // data.
    template <class Extra>
    Report(nlohmann::json data, Extra extra, std::string (*text)(const nlohmann::json&, const Extra&))
        : m_data(std::move(data)),
          m_text([extra = std::move(extra), text](const nlohmann::json& value) { return text(value, extra); })
    {
    }

    const nlohmann::json& Data() const { return m_data; }
    std::string Text() const { return m_text(m_data); }

private:
    nlohmann::json m_data;
    std::function<std::string(const nlohmann::json&)> m_text;
};

// Prints report to standard output, as JSON or as text.
void Print(const Report& report, bool json);
