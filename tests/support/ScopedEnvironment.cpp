#include "tests/support/ScopedEnvironment.h"

#include <cstdlib>
#include <ctime>

ScopedEnvironment::ScopedEnvironment(const char* name, const char* value) : m_name(name)
{
    if (const char* previous = std::getenv(name))
        m_previous = previous;
    apply(name, value);
}

ScopedEnvironment::~ScopedEnvironment()
{
    apply(m_name.c_str(), m_previous ? m_previous->c_str() : nullptr);
}

void ScopedEnvironment::apply(const char* name, const char* value)
{
    if (value != nullptr)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
    ::tzset();
}
