// Sets (or, with a null value, unsets) an environment variable for the life
// of the object and restores what it held before. Setting TZ also makes the
// runtime read the time zone again, both ways.
#pragma once

#include <optional>
#include <string>

class ScopedEnvironment
{
public:
    ScopedEnvironment(const char* name, const char* value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    static void apply(const char* name, const char* value);

    std::string m_name;
    std::optional<std::string> m_previous;
};
